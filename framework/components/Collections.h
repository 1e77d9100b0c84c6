#pragma once
// Collections: an owned, ordered list of items of one class, each with
// published properties of its own (a title bar's buttons and sections). A
// layout stores a collection property as a list of items; reading it clears
// the collection and adds one item per stored item.

#include "framework/components/Persistent.h"

#include <functional>
#include <vector>

class TCollection;

class TCollectionItem : public TPersistent {
    SSI_CLASS(TCollectionItem, TPersistent)
public:
    // Joins `collection` at its end when it is not null.
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;
    TCollectionItem(const TCollectionItem&) = delete;
    TCollectionItem& operator=(const TCollectionItem&) = delete;

    TCollection* Collection() const { return FCollection; }
    // Moves the item to another collection (or none).
    void SetCollection(TCollection* collection);
    int Index() const;
    // Moves the item within its collection; out-of-range positions are clamped.
    void SetIndex(int index);

    // Copies the published properties of an item of the same class (see
    // CopyPublishedProperties); other sources fail as TPersistent::Assign.
    void Assign(const TPersistent& source) override;

protected:
    // Tells the collection that this item changed (`allItems`: in a way that
    // concerns the others too).
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
};

class TCollection : public TPersistent {
    SSI_CLASS(TCollection, TPersistent)
public:
    using TItemFactory = std::function<TCollectionItem*(TCollection*)>;

    // `itemClass` is the class of the items `factory` makes; `owner` is the
    // object that publishes the collection (may be null).
    TCollection(TPersistent* owner, const TClassInfo& itemClass, TItemFactory factory);
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;

    // A collection of T, which must be constructible from TCollection*.
    template <class T> static TItemFactory FactoryOf() {
        return [](TCollection* c) -> TCollectionItem* { return new T(c); };
    }

    TPersistent* Owner() const { return FOwner; }
    const TClassInfo& ItemClass() const { return *FItemClass; }
    int Count() const { return static_cast<int>(FItems.size()); }
    // Fails with "List index out of bounds (%d)".
    TCollectionItem* Item(int index) const;

    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();

    // Changes between BeginUpdate and the matching EndUpdate are reported
    // once, by EndUpdate, as Update(nullptr).
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // Clears and copies the items of a collection with the same item class;
    // fails with "Cannot assign a %s to a %s" otherwise.
    void Assign(const TPersistent& source) override;

protected:
    // An item (or, for nullptr, the whole collection) changed. The owner's
    // reaction, such as a repaint, goes here.
    virtual void Update(TCollectionItem* item);
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item, int index);
    void RemoveItem(TCollectionItem* item);
    void ItemChanged(TCollectionItem* item);

    TPersistent* FOwner;
    const TClassInfo* FItemClass;
    TItemFactory FFactory;
    std::vector<TCollectionItem*> FItems;
    int FUpdateCount = 0;
};
