# The layers and what each stands on. A layer's library links only layers
# below it, and its sources include only headers of itself and of the layers
# below it: kelbo_layer refuses a link to a layer that is not below, and a
# check run before each layer's library (and its tests) is compiled fails the
# build on an include of a layer that is not below.

# The layers each layer stands on directly; those below them count too.
set(KELBO_BELOW_platform "")
set(KELBO_BELOW_foundation platform)
set(KELBO_BELOW_events foundation)
set(KELBO_BELOW_graphics events foundation)
set(KELBO_BELOW_runtime graphics)
set(KELBO_BELOW_objects runtime)
set(KELBO_BELOW_media objects)
set(KELBO_BELOW_title media)
set(KELBO_BELOW_setup platform)
set(KELBO_BELOW_testkit runtime)  # type ids come from the live registry
set(KELBO_LAYER_NAMES platform foundation events graphics runtime objects media title setup testkit tools apps)

# kelbo_layers_below(out layer ...): every layer below the given ones.
function(kelbo_layers_below out)
  set(result "")
  foreach(layer ${ARGN})
    foreach(below ${KELBO_BELOW_${layer}})
      kelbo_layers_below(deeper ${below})
      list(APPEND result ${below} ${deeper})
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES result)
  set(${out} "${result}" PARENT_SCOPE)
endfunction()

# kelbo_check_layer_links(layer dep ...): a configure error for a dependency
# that is a layer not below `layer`.
function(kelbo_check_layer_links layer)
  kelbo_layers_below(below ${layer})
  foreach(dep ${ARGN})
    if(DEFINED KELBO_BELOW_${dep} AND NOT dep IN_LIST below)
      message(FATAL_ERROR "Layer ${layer} links ${dep}, which is not below it (cmake/KelboLayers.cmake)")
    endif()
  endforeach()
endfunction()

# kelbo_check_layer_includes(target layer PART library|tests [USES layer ...]
#                            [RECURSE])
# Before `target` is compiled (or in every build, when there is no such
# target: a layer of headers only), checks the includes of the layer's library
# sources (PART library) or of its tests/ folder (PART tests, which may also
# use the layers named after USES and those below them; with RECURSE the
# tests/ folders of its subfolders too).
function(kelbo_check_layer_includes target layer)
  cmake_parse_arguments(C "RECURSE" "PART" "USES" ${ARGN})
  kelbo_layers_below(allowed ${layer} ${C_USES})
  list(APPEND allowed ${layer} ${C_USES})
  list(REMOVE_DUPLICATES allowed)
  set(part ${C_PART})
  if(C_PART STREQUAL "tests" AND C_RECURSE)
    set(part tests-recurse)
    file(GLOB_RECURSE files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    list(FILTER files INCLUDE REGEX "/tests/[^/]+$")
  elseif(C_PART STREQUAL "tests")
    file(GLOB files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.h)
  else()
    file(GLOB_RECURSE files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    list(FILTER files EXCLUDE REGEX "/tests/")
  endif()
  string(REPLACE ";" "," allowed_arg "${allowed}")
  string(REPLACE ";" "," known_arg "${KELBO_LAYER_NAMES}")
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}.layer-check)
  add_custom_command(OUTPUT ${stamp}
      COMMAND ${CMAKE_COMMAND} -DLAYER=${layer} -DALLOWED=${allowed_arg} -DKNOWN=${known_arg}
              -DROOT=${PROJECT_SOURCE_DIR} -DFILES_DIR=${CMAKE_CURRENT_SOURCE_DIR} -DPART=${part}
              -DSTAMP=${stamp} -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayerIncludes.cmake
      DEPENDS ${files} ${PROJECT_SOURCE_DIR}/cmake/CheckLayerIncludes.cmake
      COMMENT "Checking the includes of ${target} against the layers"
      VERBATIM)
  add_custom_target(${target}_layer_check ALL DEPENDS ${stamp})
  if(TARGET ${target})
    add_dependencies(${target} ${target}_layer_check)
  endif()
endfunction()
