// Records and unit entries ride along in list rows and combo items as
// plain, non-owning pointers.
#pragma once

#include <QVariant>

namespace ovra {

template <class T> QVariant PointerData(const T* pointer) {
    return QVariant::fromValue(const_cast<void*>(static_cast<const void*>(pointer)));
}

template <class T> const T* DataPointer(const QVariant& data) {
    return static_cast<const T*>(data.value<void*>());
}

} // namespace ovra
