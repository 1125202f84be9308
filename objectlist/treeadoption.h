// Replacing the content of a record tree with that of another tree of the same class, so a
// load can fill a fresh tree and touch the caller's tree only once the load has succeeded.
// The target keeps its own objects (root, sub-records, lists, and so their listeners); the
// records of its child lists are freed and the loaded tree's records move in.
#pragma once

#include <unordered_map>

namespace duebell {

class TTovObjectItem;

using TTovStandIns = std::unordered_map<const TTovObjectItem*, TTovObjectItem*>;

// Pairs the root of Loaded and each of its sub-records (recursively) with the object at the
// same place in Target: the objects that stay when Loaded is adopted. Records moved into
// Target's lists must be owned by these stand-ins.
TTovStandIns PairStandIns(TTovObjectItem& target, TTovObjectItem& loaded);

// Makes Target hold what Loaded holds: writable simple values copied, sub-records adopted
// recursively, child-list records moved (Loaded's lists end up empty). Target's lists tell
// their listeners: cleared, then each record added.
void AdoptLoadedTree(TTovObjectItem& target, TTovObjectItem& loaded);

} // namespace duebell
