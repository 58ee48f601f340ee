#include "base/TypInfo_core.h"

#include "base/SysUtils.h"

const TEnumTypeDesc& BooleanType() {
    static const TEnumTypeDesc type{"Boolean", {"False", "True"}};
    return type;
}

TClassDesc::TClassDesc(std::string className, const TClassDesc* parent, std::vector<TPropDesc> properties)
    : className_(std::move(className)), parent_(parent), properties_(std::move(properties)) {}

std::vector<const TPropDesc*> TClassDesc::Properties() const {
    std::vector<const TPropDesc*> all = parent_ ? parent_->Properties() : std::vector<const TPropDesc*>{};
    for (const TPropDesc& own : properties_) {
        bool replaced = false;
        for (const TPropDesc*& inherited : all)
            if (rtl::SameText(inherited->name, own.name)) {
                inherited = &own;
                replaced = true;
                break;
            }
        if (!replaced)
            all.push_back(&own);
    }
    return all;
}

namespace published {
TPropDesc Method(std::string name) {
    TPropDesc p;
    p.name = std::move(name);
    p.kind = TTypeKind::tkMethod;
    return p;
}
} // namespace published
