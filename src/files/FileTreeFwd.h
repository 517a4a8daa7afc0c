// The owner of an install element's file tree, usable where CClassItem is not
// yet complete. The deleter is taken where the tree is made (AdoptFileTree), so
// the element list need not know the file item classes.
#pragma once

#include <memory>

class CClassItem;

using FileTreePtr = std::unique_ptr<CClassItem, void (*)(CClassItem*)>;

// An empty owner.
inline FileTreePtr NoFileTree()
{
    return FileTreePtr(nullptr, nullptr);
}

// Takes over root (may be null). Call it where T is a complete type.
template <typename T = CClassItem>
FileTreePtr AdoptFileTree(T* root)
{
    return FileTreePtr(root, [](CClassItem* item) { delete static_cast<T*>(item); });
}
