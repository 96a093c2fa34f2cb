#include "containers/ordered_list.h"

#include <set>

#include "support/assert.h"

namespace folioteer {
namespace {

struct Element {
  void* item = nullptr;
  Element* back = nullptr;
  Element* next = nullptr;
};

// Index nodes come from a free chain of their own, so that adding and
// deleting items costs no allocation once the chain holds enough nodes.
template <typename T>
struct ChainAllocator {
  using value_type = T;
  ChainAllocator() = default;
  template <typename U>
  ChainAllocator(const ChainAllocator<U>&) {}

  union Node {
    Node* nextFree;
    alignas(T) unsigned char storage[sizeof(T)];
  };
  static inline Node* freeChain = nullptr;

  T* allocate(size_t count) {
    if (count != 1) return static_cast<T*>(::operator new(count * sizeof(T)));
    if (freeChain == nullptr) return reinterpret_cast<T*>(new Node);
    Node* node = freeChain;
    freeChain = node->nextFree;
    return reinterpret_cast<T*>(node);
  }
  void deallocate(T* pointer, size_t count) {
    if (count != 1) {
      ::operator delete(pointer);
      return;
    }
    Node* node = reinterpret_cast<Node*>(pointer);
    node->nextFree = freeChain;
    freeChain = node;
  }
  template <typename U>
  bool operator==(const ChainAllocator<U>&) const {
    return true;
  }
};

struct Key {
  const void* item;
};

// Orders index entries by the list's comparison procedure, which lives in the
// header (headers are recycled with their index, so the procedure changes).
struct IndexOrder {
  using is_transparent = void;
  const CompareProc* compare;
  bool operator()(const Element* a, const Element* b) const { return (*compare)(a->item, b->item) < 0; }
  bool operator()(const Element* a, Key key) const { return (*compare)(a->item, key.item) < 0; }
  bool operator()(Key key, const Element* a) const { return (*compare)(a->item, key.item) > 0; }
};

using Index = std::multiset<Element*, IndexOrder, ChainAllocator<Element*>>;

}  // namespace

struct ListHeader {
  ListHeader() : index(IndexOrder{&compare}) {}

  Element head;  // the sentinel
  CompareProc compare = nullptr;
  bool allowDuplicates = false;
  Element* prev = nullptr;
  Element* cursor = nullptr;
  bool writing = true;
  bool opDone = true;
  Index index;
  ListHeader* nextFree = nullptr;
};

namespace {

ListHeader* freeHeaders = nullptr;
Element* freeElements = nullptr;
ListAllocations allocations;
FatalErrorAction fatalErrorAction = nullptr;

Element* ObtainElement(void* item) {
  Element* element = freeElements;
  if (element != nullptr) {
    freeElements = element->next;
  } else {
    element = new Element;
    ++allocations.elements;
  }
  *element = Element{item, nullptr, nullptr};
  return element;
}

void RecycleElement(Element* element) {
  element->item = nullptr;
  element->back = nullptr;
  element->next = freeElements;
  freeElements = element;
}

// The first element not ordered before the key (c, or null) and the element
// before it (p).
struct SearchResult {
  Index::iterator position;
  Element* p;
  Element* c;
  bool found;
};

SearchResult Search(List list, const void* key) {
  SearchResult result;
  result.position = list->index.lower_bound(Key{key});
  result.c = result.position == list->index.end() ? nullptr : *result.position;
  result.p = result.c != nullptr ? result.c->back : list->head.back;
  result.found = result.c != nullptr && list->compare(result.c->item, key) == 0;
  return result;
}

void RequireReading(List list, const char* message) { Assert(!list->writing, message); }
void RequireWriting(List list, const char* message) { Assert(list->writing, message); }

void Unlink(List list, Element* element, Element* before) {
  before->next = element->next;
  if (element->next != nullptr)
    element->next->back = before;
  else
    list->head.back = before;
}

}  // namespace

List NilList() { return nullptr; }

void ListCreate(List& list, CompareProc compare, Duplicates duplicates) {
  list = freeHeaders;
  if (list != nullptr) {
    freeHeaders = list->nextFree;
  } else {
    list = new ListHeader;
    ++allocations.headers;
  }
  list->head = Element{};
  list->head.back = &list->head;
  list->compare = compare;
  list->allowDuplicates = duplicates == Duplicates::Allowed;
  list->prev = nullptr;
  list->cursor = &list->head;
  list->writing = true;
  list->opDone = true;
  list->nextFree = nullptr;
}

void ListDestroy(List& list, ItemDisposer dispose) {
  if (list == nullptr) return;
  list->index.clear();
  for (Element* element = list->head.next; element != nullptr;) {
    Element* next = element->next;
    if (dispose != nullptr) dispose(element->item);
    RecycleElement(element);
    element = next;
  }
  list->head = Element{};
  list->nextFree = freeHeaders;
  freeHeaders = list;
  list = nullptr;
}

void ListSetReadMode(List list) {
  list->writing = false;
  ListReset(list);
}

void ListSetWriteMode(List list) {
  list->writing = true;
  list->opDone = true;
}

void ListReset(List list) {
  RequireReading(list, "ListV2Processor: Not Reading in ListReset");
  list->opDone = true;
  list->prev = nullptr;
  list->cursor = &list->head;
}

void ListEndset(List list) {
  RequireReading(list, "ListV2Processor: Not Reading in ListEndset");
  list->opDone = true;
  list->cursor = nullptr;
  list->prev = list->head.back;
}

void ListRead(List list, void*& item) {
  RequireReading(list, "ListV2Processor: Not Reading in ListRead");
  item = nullptr;
  list->opDone = false;
  if (list->cursor == nullptr) return;
  list->prev = list->cursor;
  list->cursor = list->cursor->next;
  if (list->cursor == nullptr) return;
  list->opDone = true;
  item = list->cursor->item;
}

void ListReadRev(List list, void*& item) {
  RequireReading(list, "ListV2Processor: Not Reading in ListReadRev");
  item = nullptr;
  list->opDone = false;
  if (list->cursor == &list->head || list->prev == nullptr) return;
  Element* oldPrev = list->prev;
  list->cursor = oldPrev;
  list->prev = oldPrev->back;
  if (list->cursor == &list->head) return;
  list->opDone = true;
  item = list->cursor->item;
}

void ListRef(List list, void*& item) {
  RequireReading(list, "ListV2Processor: Not Reading in ListRef");
  list->opDone = list->cursor != nullptr && list->cursor != &list->head;
  item = list->opDone ? list->cursor->item : nullptr;
}

bool OnList(List list, const void* key, void*& item) {
  RequireReading(list, "ListV2Processor: Not Reading in OnList");
  SearchResult search = Search(list, key);
  item = nullptr;
  if (search.found) {
    list->prev = search.p;
    list->cursor = search.c;
    item = search.c->item;
  }
  return search.found;
}

void ListAddition(List list, void* item) {
  RequireWriting(list, "ListV2Processor: Not Writing in ListAddition");
  SearchResult search = Search(list, item);
  list->opDone = !search.found || list->allowDuplicates;
  if (!list->opDone) return;
  Element* element = ObtainElement(item);
  element->back = search.p;
  element->next = search.c;
  search.p->next = element;
  if (search.c != nullptr)
    search.c->back = element;
  else
    list->head.back = element;
  list->index.emplace_hint(search.position, element);
}

void ListUpdate(List list, void* item, void*& old) {
  RequireWriting(list, "ListV2Processor: Not Writing in ListUpdate");
  SearchResult search = Search(list, item);
  list->opDone = search.found;
  old = nullptr;
  if (!search.found) return;
  old = search.c->item;
  search.c->item = item;
}

void ListDeletion(List list, const void* key) {
  RequireWriting(list, "ListV2Processor: Not Writing in ListDeletion");
  SearchResult search = Search(list, key);
  list->opDone = search.found;
  if (!search.found) return;
  list->index.erase(search.position);
  Unlink(list, search.c, search.p);
  RecycleElement(search.c);
}

bool ListOpDone(List list) { return list->opDone; }

void ListFatalErrorActionSet(FatalErrorAction action) { fatalErrorAction = action; }
void ListFatalErrorActionReset() { fatalErrorAction = nullptr; }

void ListFatalError() {
  if (fatalErrorAction != nullptr)
    fatalErrorAction();
  else
    AssertFail("ListV2Processor: DoHALT");
}

ListAllocations ListAllocationCounts() { return allocations; }

}  // namespace folioteer
