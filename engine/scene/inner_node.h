#pragma once
// A node with children: keeps them sorted by local z order (ties by order of arrival), visits
// the negative-z ones before itself and the rest after, and passes entering, leaving, cleanup,
// colour and opacity down the tree.

#include <vector>

#include "engine/scene/node.h"

namespace engine {

// a before b: smaller local z order, or equal z and earlier arrival.
bool nodeComparisonLess(const Node* a, const Node* b);

class InnerNode : public Node {
 public:
  static InnerNode* create();
  ~InnerNode() override;

  void reloadGLResources() override;
  void onEnter() override;
  void onExit() override;
  void cleanup() override;
  void visit(Renderer* renderer, const Mat4& parentTransform, uint32_t parentFlags) override;
  using Node::visit;
  bool isInnerNode() const override { return true; }

  void updateDisplayedOpacity(uint8_t parentOpacity) override;
  void traverse(int depth) override;
  void removeChild(Node* child) override;
  void removeChildByTag(int tag) override;
  void removeAllChildrenWithCleanup() override;
  void disableCascadeOpacity() override;

  // A child belongs to one parent and is added once; the parent holds one reference to it.
  virtual void addChild(Node* child, int localZOrder, int tag);
  virtual void addChild(Node* child, int localZOrder);
  virtual void addChild(Node* child);
  virtual void reorderChild(Node* child, int localZOrder);
  virtual void sortAllChildren();
  virtual const std::vector<Node*>& getChildren() const { return children_; }
  virtual std::vector<Node*>& getChildren() { return children_; }
  virtual size_t getChildrenCount() const { return children_.size(); }
  // The first child with the tag, or null.
  Node* getChildByTag(int tag) const;

  void setSortEnabled(bool enabled) { sortEnabled_ = enabled; }
  bool isSortEnabled() const { return sortEnabled_; }

  // The process-wide arrival counter behind child order: only ever compared, so it never restarts.
  static int nextOrderOfArrival();

 protected:
  InnerNode() = default;
  // Lets subclasses that rearrange their children (sprite batches) renumber arrivals.
  static void setChildOrderOfArrival(Node* child, int order) { child->orderOfArrival_ = order; }

  bool reorderChildDirty_ = false;
  bool sortEnabled_ = true;
  std::vector<Node*> children_;
};

}  // namespace engine
