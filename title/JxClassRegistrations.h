#pragma once
// The classes that the definitions name, installed in the product's
// registry and factories: the display-object types by keyword, the action,
// resource, panel and page classes by type id, and the title's page
// definition.
//
// Start-up registers them before the type ids are numbered; the exit
// removes them again after the type registries are released.

void RegisterClasses();
void UnregisterClasses();
