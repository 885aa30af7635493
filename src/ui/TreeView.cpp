#include "ui/TreeView.h"

#include <algorithm>

namespace vondrel {

namespace {

/// Counts the node and every node below it.
int CountBelow(const TTreeNode& node) {
    int count = 1;
    for (int i = 0; i < node.Count(); ++i)
        count += CountBelow(*node.Item(i));
    return count;
}

/// The node `index` steps into the flat order starting at `node`; nullptr when the
/// branch holds fewer nodes, with `index` then less by their number.
TTreeNode* NodeAt(TTreeNode& node, int& index) {
    if (index == 0)
        return &node;
    --index;
    for (int i = 0; i < node.Count(); ++i)
        if (TTreeNode* found = NodeAt(*node.Item(i), index))
            return found;
    return nullptr;
}

} // namespace

TTreeNode::TTreeNode(TTreeNodes* owner, TTreeNode* parent) : owner_(owner), parent_(parent) {
    static const TClassInfo& info = DescribeClass<TTreeNode>("TTreeNode", [](TClassBuilder<TTreeNode>& c) {
        c.Property("ImageIndex", &TTreeNode::ImageIndex, &TTreeNode::SetImageIndex);
        c.Property("Text", &TTreeNode::Text, &TTreeNode::SetText);
    });
    SetClass(info);
}

void TTreeNode::SetText(const std::string& text) {
    if (text == text_)
        return;
    text_ = text;
    owner_->Changed();
}

TTreeNode* TTreeNode::Item(int index) const noexcept {
    if (index < 0 || index >= Count())
        return nullptr;
    return children_[static_cast<std::size_t>(index)].get();
}

int TTreeNode::Index() const noexcept {
    const auto& siblings = parent_ ? parent_->children_ : owner_->roots_;
    for (std::size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == this)
            return static_cast<int>(i);
    return -1;
}

int TTreeNode::AbsoluteIndex() const noexcept {
    for (int i = 0, count = owner_->Count(); i < count; ++i)
        if (owner_->Item(i) == this)
            return i;
    return -1;
}

TTreeNodes::TTreeNodes(TTreeView* owner) : owner_(owner) {
    static const TClassInfo& info = DescribeClass("TTreeNodes");
    SetClass(info);
}

TTreeNodes::~TTreeNodes() = default;

int TTreeNodes::Count() const noexcept {
    int count = 0;
    for (const auto& root : roots_)
        count += CountBelow(*root);
    return count;
}

TTreeNode* TTreeNodes::Item(int index) const noexcept {
    if (index < 0)
        return nullptr;
    for (const auto& root : roots_)
        if (TTreeNode* found = NodeAt(*root, index))
            return found;
    return nullptr;
}

TTreeNode* TTreeNodes::GetFirstNode() const noexcept {
    return roots_.empty() ? nullptr : roots_.front().get();
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const std::string& text) {
    return AddChild(sibling ? sibling->parent_ : nullptr, text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::string& text) {
    auto& list = parent ? parent->children_ : roots_;
    list.push_back(std::make_unique<TTreeNode>(this, parent));
    TTreeNode* node = list.back().get();
    node->text_ = text;
    Changed();
    return node;
}

void TTreeNodes::Delete(TTreeNode* node) {
    if (!node || node->owner_ != this)
        return;
    auto& list = node->parent_ ? node->parent_->children_ : roots_;
    const auto found =
        std::find_if(list.begin(), list.end(), [node](const auto& entry) { return entry.get() == node; });
    if (found == list.end())
        return;
    list.erase(found);
    Changed();
}

void TTreeNodes::Clear() {
    if (roots_.empty())
        return;
    roots_.clear();
    Changed();
}

void TTreeNodes::Changed() {
    if (owner_)
        owner_->Invalidate();
}

TTreeView::TTreeView(TComponent* owner) : TWinControl(owner), items_(std::make_unique<TTreeNodes>(this)) {
    static const TClassInfo& info = DescribeClass<TTreeView>("TTreeView", [](TClassBuilder<TTreeView>& c) {
        c.Property("Items", &TTreeView::Items);
        c.Property("ReadOnly", &TTreeView::ReadOnly, &TTreeView::SetReadOnly);
        c.Publish({"Align",       "BiDiMode",   "Color",          "Ctl3D",      "Enabled",  "Font",
                   "ParentColor", "ParentFont", "ParentShowHint", "PopupMenu",  "ShowHint", "TabOrder",
                   "TabStop",     "Visible",    "OnClick",        "OnDblClick", "OnEnter",  "OnExit",
                   "OnKeyDown",   "OnKeyPress", "OnKeyUp"});
    });
    SetClass(info);
    SetTabStop(true);
    SetBounds(0, 0, 121, 97);
}

TTreeView::~TTreeView() = default;

} // namespace vondrel
