#include "framework/components/Collections.h"

#include "framework/components/PropertyBuilder.h"

#include <algorithm>

SSI_DEFINE_CLASS(TCollectionItem, TPersistent)
SSI_DEFINE_CLASS(TCollection, TPersistent)

// --- TCollectionItem ---

TCollectionItem::TCollectionItem(TCollection* collection) {
    SetCollection(collection);
}

TCollectionItem::~TCollectionItem() {
    if (FCollection != nullptr)
        FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* collection) {
    if (collection == FCollection)
        return;
    if (FCollection != nullptr)
        FCollection->RemoveItem(this);
    if (collection != nullptr)
        collection->InsertItem(this, collection->Count());
}

int TCollectionItem::Index() const {
    if (FCollection == nullptr)
        return -1;
    const auto& items = FCollection->FItems;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index) {
    if (FCollection == nullptr)
        return;
    auto& items = FCollection->FItems;
    int current = Index();
    index = std::clamp(index, 0, static_cast<int>(items.size()) - 1);
    if (index == current)
        return;
    items.erase(items.begin() + current);
    items.insert(items.begin() + index, this);
    Changed(true);
}

void TCollectionItem::Assign(const TPersistent& source) {
    if (&source.ClassInfo() != &ClassInfo()) {
        TPersistent::Assign(source);
        return;
    }
    CopyPublishedProperties(const_cast<TPersistent&>(source), *this);
}

void TCollectionItem::Changed(bool allItems) {
    if (FCollection != nullptr)
        FCollection->ItemChanged(allItems ? nullptr : this);
}

// --- TCollection ---

TCollection::TCollection(TPersistent* owner, const TClassInfo& itemClass, TItemFactory factory)
    : FOwner(owner), FItemClass(&itemClass), FFactory(std::move(factory)) {}

TCollection::~TCollection() {
    ++FUpdateCount; // no change reports while going away
    while (!FItems.empty())
        delete FItems.back();
}

TCollectionItem* TCollection::Item(int index) const {
    if (index < 0 || index >= Count())
        throw EListError(Format("List index out of bounds (%d)", index));
    return FItems[static_cast<size_t>(index)];
}

TCollectionItem* TCollection::Add() {
    return Insert(Count());
}

TCollectionItem* TCollection::Insert(int index) {
    if (index < 0 || index > Count())
        throw EListError(Format("List index out of bounds (%d)", index));
    BeginUpdate();
    TCollectionItem* item = nullptr;
    try {
        // Items join their collection in their constructor, so that they can
        // look at it there; they land at the end and move into place.
        item = FFactory(this);
        if (item->FCollection != this)
            item->SetCollection(this);
        if (index != item->Index())
            item->SetIndex(index);
    } catch (...) {
        delete item;
        EndUpdate();
        throw;
    }
    EndUpdate();
    return item;
}

void TCollection::Delete(int index) {
    delete Item(index);
}

void TCollection::Clear() {
    if (FItems.empty())
        return;
    BeginUpdate();
    while (!FItems.empty())
        delete FItems.back();
    EndUpdate();
}

void TCollection::BeginUpdate() {
    ++FUpdateCount;
}

void TCollection::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        Changed();
}

void TCollection::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TCollection*>(&source);
    if (other == nullptr || other->FItemClass != FItemClass) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this)
        return;
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* item : other->FItems)
            Add()->Assign(*item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Changed() {
    if (FUpdateCount == 0)
        Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* item, int index) {
    FItems.insert(FItems.begin() + index, item);
    item->FCollection = this;
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it == FItems.end())
        return;
    FItems.erase(it);
    item->FCollection = nullptr;
    Changed();
}

void TCollection::ItemChanged(TCollectionItem* item) {
    if (FUpdateCount == 0)
        Update(item);
}
