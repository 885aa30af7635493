#pragma once

#include "ui/WinControl.h"

#include <memory>
#include <string>
#include <vector>

namespace vondrel {

class TTreeNodes;
class TTreeView;

/// A node of a tree view: its text, image and the nodes below it.
class TTreeNode : public TPersistent {
public:
    TTreeNode(TTreeNodes* owner, TTreeNode* parent);

    const std::string& Text() const noexcept { return text_; }
    void SetText(const std::string& text);
    int ImageIndex() const noexcept { return imageIndex_; }
    void SetImageIndex(int value) noexcept { imageIndex_ = value; }
    void* Data() const noexcept { return data_; }
    void SetData(void* data) noexcept { data_ = data; }

    TTreeNode* Parent() const noexcept { return parent_; }
    /// The nodes directly below this one.
    int Count() const noexcept { return static_cast<int>(children_.size()); }
    TTreeNode* Item(int index) const noexcept;
    /// The position among its siblings.
    int Index() const noexcept;
    /// The position in the tree's flat order (see TTreeNodes).
    int AbsoluteIndex() const noexcept;

private:
    friend class TTreeNodes;
    TTreeNodes* owner_;
    TTreeNode* parent_;
    std::string text_;
    int imageIndex_ = -1;
    void* data_ = nullptr;
    std::vector<std::unique_ptr<TTreeNode>> children_;
};

/// The nodes of a tree view, reached by index in the flat order: every node before the
/// nodes below it, siblings in their order.
class TTreeNodes : public TPersistent {
public:
    explicit TTreeNodes(TTreeView* owner);
    ~TTreeNodes() override;

    /// All nodes of the tree.
    int Count() const noexcept;
    /// The node at a flat index; nullptr outside the range.
    TTreeNode* Item(int index) const noexcept;
    TTreeNode* operator[](int index) const noexcept { return Item(index); }
    TTreeNode* GetFirstNode() const noexcept;
    /// A node after the last sibling of `sibling` (at the top level when it is nullptr).
    TTreeNode* Add(TTreeNode* sibling, const std::string& text);
    /// A node below `parent`, after its other nodes (at the top level when it is nullptr).
    TTreeNode* AddChild(TTreeNode* parent, const std::string& text);
    /// Removes a node with everything below it.
    void Delete(TTreeNode* node);
    void Clear();

private:
    friend class TTreeNode;
    void Changed();

    TTreeView* owner_;
    std::vector<std::unique_ptr<TTreeNode>> roots_;
};

/// A tree of text nodes.
class TTreeView : public TWinControl {
public:
    explicit TTreeView(TComponent* owner);
    ~TTreeView() override;

    TTreeNodes* Items() const noexcept { return items_.get(); }
    bool ReadOnly() const noexcept { return readOnly_; }
    void SetReadOnly(bool value) noexcept { readOnly_ = value; }

private:
    std::unique_ptr<TTreeNodes> items_;
    bool readOnly_ = false;
};

} // namespace vondrel
