#pragma once
// The factories that build the run-time objects the definitions name:
// actions, resources, panels and pages by their 16-bit type id, the page
// definition of every page, display objects by their registered type
// (CreateDisplayObjectById, JxCTypeKey.h).
//
// Most of the classes they build live in the layers above (objects, media,
// title), which this layer cannot include. Those layers install their
// classes at start-up, in table order, through the Register... functions
// below, before RegisterTypeIds numbers the ids. A factory compares the given
// id with the current value of each row's id, in the order the rows were
// registered, and builds the class of the first equal one; so nothing is
// built before the ids are numbered, and the NULL_ and LAST_ ids, which no
// row may take, build nothing.

#include <cstdint>
#include <new>

#include "foundation/JxCTableString.h"
#include "runtime/JxKeywordTables.h"

class JxCAction;
class JxCResourceObject;
class JxCPanelObject;
class JxCPageObject;
class JxCPageDef;

using JxActionMaker = JxCAction* (*)();
using JxActionCopier = JxCAction* (*)(const JxCAction& source);
using JxResourceMaker = JxCResourceObject* (*)();
using JxPanelMaker = JxCPanelObject* (*)();
using JxPageMaker = JxCPageObject* (*)();
using JxPageDefMaker = JxCPageDef* (*)();

// A new T as a Base, or null when memory is short.
template <class Base, class T>
Base* MakeInstance()
{
    return new (std::nothrow) T();
}

// A copy of the source made by T's copy construction, or null when memory is
// short or the source is no T.
template <class Base, class T>
Base* CopyInstance(const Base& source)
{
    const T* typed = dynamic_cast<const T*>(&source);
    return typed ? new (std::nothrow) T(*typed) : nullptr;
}

// Table rows. Rows for the NULL_ and LAST_ ids are refused (0).
std::int16_t RegisterActionClass(JxActionKeyword id, JxActionMaker make, JxActionCopier copy);
std::int16_t RegisterResourceClass(JxResourceKind kind, JxResourceMaker make);
std::int16_t RegisterPanelClass(JxPanelKeyword id, JxPanelMaker make);
std::int16_t RegisterPageClass(JxPageKeyword id, JxPageMaker make);
void RegisterPageDefClass(JxPageDefMaker make);
// Empties every table.
void UnregisterFactoryClasses();

// A new action of the type, or null. The caller sets the action's type.
JxCAction* NewActionOfType(std::int16_t type);
// A copy of the source, an action of the type, made by its class's copy
// construction; null for a type without a class.
JxCAction* CopyActionOfType(std::int16_t type, const JxCAction& source);
// The action of the first action keyword (NULL_ACT up to, not including,
// LAST_ACT) that equals the name without regard to case, with its type set
// (null when its type has no class); message 1126 and null for a name that is
// no action keyword.
JxCAction* CreateActionByName(const JxCTableString& name);
// True when the type is an action type with a class and a and b are the
// same action.
bool ActionsEqualOfType(std::int16_t type, const JxCAction* a, const JxCAction* b);
JxCResourceObject* NewResourceOfType(std::int16_t type);
JxCPanelObject* NewPanelOfType(std::int16_t type);
JxCPageObject* NewPageOfType(std::int16_t type);
// The title's page definition, which every page the product opens uses.
JxCPageDef* CreateGavoPageDef();

// The product's reporting forms of the panel and page factories.
// The panel of the first panel keyword (NULL_PANEL up to, not including,
// LAST_PANEL) that equals the keyword without regard to case; message 1047
// when none is made.
JxCPanelObject* CreatePanelByKeyword(const JxCTableString& keyword);
// NewPanelOfType; message 1048 when it makes nothing.
JxCPanelObject* CreatePanelById(std::int16_t type);
// NewPageOfType; message 1014 when it makes nothing.
JxCPageObject* CreatePageOfType(std::int16_t type);
