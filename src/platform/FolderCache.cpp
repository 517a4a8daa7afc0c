#include "platform/FolderCache.h"

#include "platform/PathUtil.h"

#include <algorithm>

// One folder: its own name as a key, what is known of it, and the folders
// known below it, ordered by name. Each node has its own block, so a
// reference to its facts outlives changes among its siblings.
struct FolderCache::Node {
    std::wstring name;
    Facts facts;
    std::vector<std::unique_ptr<Node>> children;

    std::vector<std::unique_ptr<Node>>::iterator Place(const std::wstring& key)
    {
        return std::lower_bound(children.begin(), children.end(), key,
                                [](const std::unique_ptr<Node>& child, const std::wstring& k) { return child->name < k; });
    }
    Node* Child(const std::wstring& key)
    {
        const auto place = Place(key);
        return place != children.end() && (*place)->name == key ? place->get() : nullptr;
    }
    Node& Add(const std::wstring& key)
    {
        auto place = Place(key);
        if (place != children.end() && (*place)->name == key) return **place;
        place = children.insert(place, std::make_unique<Node>());
        (*place)->name = key;
        return **place;
    }
};

namespace {

// Calls step with the key of each backslash-separated part of path, in
// order, while it returns true; false when it stopped. The key is made in one
// buffer: the run asks about a folder for every file it copies.
template <typename Step>
bool EachPart(const std::wstring& path, Step step)
{
    std::wstring key;
    for (std::size_t start = 0;;) {
        const std::size_t end = path.find(L'\\', start);
        key.assign(path, start, end == std::wstring::npos ? std::wstring::npos : end - start);
        MakeFileNameKey(key);
        if (!step(key)) return false;
        if (end == std::wstring::npos) return true;
        start = end + 1;
    }
}

}  // namespace

FolderCache::FolderCache() : root_(std::make_unique<Node>()) {}

FolderCache::~FolderCache() = default;

FolderCache::Facts& FolderCache::At(const std::wstring& folder)
{
    Node* node = root_.get();
    EachPart(folder, [&node](const std::wstring& key) {
        node = &node->Add(key);
        return true;
    });
    return node->facts;
}

const FolderCache::Facts* FolderCache::Find(const std::wstring& folder) const
{
    Node* node = root_.get();
    const bool found = EachPart(folder, [&node](const std::wstring& key) { return (node = node->Child(key)) != nullptr; });
    return found ? &node->facts : nullptr;
}

void FolderCache::ForgetBelow(const std::wstring& folder)
{
    Node* node = root_.get();
    if (!EachPart(folder, [&node](const std::wstring& key) { return (node = node->Child(key)) != nullptr; })) return;
    node->children.clear();
    node->facts.asked = node->facts.listed = false;
    node->facts.names.reset();
}

void FolderCache::Clear()
{
    root_ = std::make_unique<Node>();
}
