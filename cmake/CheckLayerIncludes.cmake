# Fails when a source of layer LAYER includes a header of a layer that is not
# below it. Run by kelbo_check_layer_includes (cmake/KelboLayers.cmake):
#   cmake -DLAYER=name -DALLOWED=a,b -DKNOWN=a,b,c -DROOT=dir -DFILES_DIR=dir
#         -DPART=library|tests|tests-recurse -DSTAMP=file -P CheckLayerIncludes.cmake
# (tests-recurse: the tests/ folders of the layer and of its subfolders)
cmake_minimum_required(VERSION 3.25)
string(REPLACE "," ";" allowed "${ALLOWED}")
string(REPLACE "," ";" known "${KNOWN}")
if(PART STREQUAL "tests-recurse")
  file(GLOB_RECURSE files ${FILES_DIR}/*.cpp ${FILES_DIR}/*.h)
  list(FILTER files INCLUDE REGEX "/tests/[^/]+$")
elseif(PART STREQUAL "tests")
  file(GLOB files ${FILES_DIR}/tests/*.cpp ${FILES_DIR}/tests/*.h)
else()
  file(GLOB_RECURSE files ${FILES_DIR}/*.cpp ${FILES_DIR}/*.h)
  list(FILTER files EXCLUDE REGEX "/tests/")
endif()

set(faults "")
foreach(f ${files})
  file(STRINGS ${f} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"/]+/")
  foreach(line ${includes})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"/]+)/.*$" "\\1" root "${line}")
    if(root IN_LIST known AND NOT root IN_LIST allowed)
      file(RELATIVE_PATH rel ${ROOT} ${f})
      string(STRIP "${line}" line)
      list(APPEND faults "  ${rel}: ${line}")
    endif()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n" text)
  message(FATAL_ERROR "Layer ${LAYER} (${PART}) includes layers that are not below it:\n${text}\n"
                      "It may include: ${allowed}")
endif()
file(TOUCH ${STAMP})
