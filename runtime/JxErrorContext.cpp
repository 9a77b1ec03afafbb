#include "runtime/JxErrorContext.h"

#include <string>

#include "runtime/JxCDisplayObject.h"
#include "runtime/JxCPageDef.h"
#include "runtime/JxCPageObject.h"
#include "runtime/JxCPanelObject.h"

namespace {

JxCPanelObject* asPanel(JxCRunTimeObject* object)
{
    return object && object->GetKind() == kPanelKind ? static_cast<JxCPanelObject*>(object) : nullptr;
}

std::string pageText(const JxCPageDef* def)
{
    if (!def)
        return {};
    if (!def->GetName().IsEmpty())
        return std::string(def->GetName().View());
    return std::to_string(def->GetPageId());
}

}  // namespace

JxCString ErrorContextOf(JxCRunTimeObject* object)
{
    if (!object)
        return JxCString();
    const JxCPageDef* def = nullptr;
    std::string what;
    switch (object->GetKind()) {
    case kDisplayObjectKind: {
        auto* display = static_cast<JxCDisplayObject*>(object);
        what = std::to_string(display->GetId());
        if (JxCPanelObject* panel = asPanel(display->GetContainer()))
            def = panel->GetPage();
        break;
    }
    case kPanelKind:
        what = std::to_string(static_cast<JxCPanelObject*>(object)->GetId());
        def = static_cast<JxCPanelObject*>(object)->GetPage();
        break;
    case kPageKind:
        def = static_cast<JxCPageObject*>(object)->GetPageDef();
        break;
    default:
        def = dynamic_cast<const JxCPageDef*>(object);
        break;
    }
    const std::string page = pageText(def);
    std::string text;
    if (!page.empty() && !what.empty())
        text = " (Page: " + page + ", Object: " + what + ")";
    else if (!page.empty())
        text = " (Page: " + page + ")";
    else if (!what.empty())
        text = " (Object: " + what + ")";
    return JxCString(text.c_str());
}
