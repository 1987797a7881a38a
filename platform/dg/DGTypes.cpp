#include "DGTypes.h"

namespace DG {

namespace {

struct KindName {
    ItemKind kind;
    const char* name;
};

const KindName kindNames[] = {
    {ItemKind::Button, "button"},          {ItemKind::RadioButton, "radio"}, {ItemKind::CheckBox, "checkbox"},
    {ItemKind::IntEdit, "intedit"},        {ItemKind::PopUp, "popup"},       {ItemKind::SingleSelList, "singlelist"},
    {ItemKind::MultiSelList, "multilist"}, {ItemKind::LeftText, "lefttext"}, {ItemKind::CenterText, "centertext"},
    {ItemKind::RightText, "righttext"},    {ItemKind::Icon, "icon"},         {ItemKind::UserControl, "usercontrol"},
};

}   // namespace

ItemKind ItemKindFromName (const std::string& name)
{
    for (const KindName& k : kindNames) {
        if (name == k.name)
            return k.kind;
    }
    return ItemKind::Other;
}

const char* ItemKindName (ItemKind kind)
{
    for (const KindName& k : kindNames) {
        if (kind == k.kind)
            return k.name;
    }
    return "other";
}

}   // namespace DG
