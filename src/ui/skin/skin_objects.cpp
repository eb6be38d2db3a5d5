#include "ui/skin/skin_objects.h"

#include <utility>

#include "core/text.h"

namespace kestrone {

const TDataSkinObject* TSkinContent::Find(std::string_view name) const {
    for (const auto& object : Objects) {
        if (SameText(object->IDName, name)) return object.get();
    }
    return nullptr;
}

TDataSkinObject* TSkinContent::Find(std::string_view name) {
    return const_cast<TDataSkinObject*>(std::as_const(*this).Find(name));
}

}  // namespace kestrone
