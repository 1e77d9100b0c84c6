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
    if (collection_ != nullptr)
        collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* collection) {
    if (collection == collection_)
        return;
    if (collection_ != nullptr)
        collection_->RemoveItem(this);
    if (collection != nullptr)
        collection->InsertItem(this, collection->Count());
}

int TCollectionItem::Index() const {
    if (collection_ == nullptr)
        return -1;
    const auto& items = collection_->items_;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index) {
    if (collection_ == nullptr)
        return;
    auto& items = collection_->items_;
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
    if (collection_ != nullptr)
        collection_->ItemChanged(allItems ? nullptr : this);
}

// --- TCollection ---

TCollection::TCollection(TPersistent* owner, const TClassInfo& itemClass, TItemFactory factory)
    : owner_(owner), itemClass_(&itemClass), factory_(std::move(factory)) {}

TCollection::~TCollection() {
    ++updateCount_; // no change reports while going away
    while (!items_.empty())
        delete items_.back();
}

TCollectionItem* TCollection::Item(int index) const {
    if (index < 0 || index >= Count())
        throw EListError(Format("List index out of bounds (%d)", index));
    return items_[static_cast<size_t>(index)];
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
        item = factory_(this);
        if (item->collection_ != this)
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
    if (items_.empty())
        return;
    BeginUpdate();
    while (!items_.empty())
        delete items_.back();
    EndUpdate();
}

void TCollection::BeginUpdate() {
    ++updateCount_;
}

void TCollection::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0)
        Changed();
}

void TCollection::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TCollection*>(&source);
    if (other == nullptr || other->itemClass_ != itemClass_) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this)
        return;
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* item : other->items_)
            Add()->Assign(*item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Changed() {
    if (updateCount_ == 0)
        Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* item, int index) {
    items_.insert(items_.begin() + index, item);
    item->collection_ = this;
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end())
        return;
    items_.erase(it);
    item->collection_ = nullptr;
    Changed();
}

void TCollection::ItemChanged(TCollectionItem* item) {
    if (updateCount_ == 0)
        Update(item);
}
