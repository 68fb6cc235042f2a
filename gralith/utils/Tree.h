#pragma once

#include "gralith/Object.h"

#include <vector>

namespace Gralith::Utils {

/// Intrusive tree links for node classes deriving from Tree<T>. The parent link is plain; the
/// next-sibling and first-child links hold references, so releasing a root frees the whole tree.
template <class T>
class Tree : public Object {
public:
    explicit Tree(T* parent = nullptr) : parent(parent) {}
    Tree(const Tree&) = delete;
    Tree& operator=(const Tree&) = delete;

    ~Tree() override {
        // Released with an explicit work list rather than by recursion, so neither a long child
        // list nor a deep chain of nodes (a file with many thousands of attributes or nested
        // elements) can exhaust the stack. A node someone else still references keeps its links.
        std::vector<Tree*> pending;
        if (firstChild)
            pending.push_back(firstChild);
        if (nextSibling)
            pending.push_back(nextSibling);
        firstChild = nullptr;
        nextSibling = nullptr;
        while (!pending.empty()) {
            Tree* node = pending.back();
            pending.pop_back();
            if (node->GetRefCount() == 1) {
                if (node->firstChild)
                    pending.push_back(node->firstChild);
                if (node->nextSibling)
                    pending.push_back(node->nextSibling);
                node->firstChild = nullptr;
                node->nextSibling = nullptr;
            }
            node->Release();
        }
    }

    T* GetParent() const { return parent; }
    void SetParent(T* p) { parent = p; }
    T* GetNextSibling() const { return static_cast<T*>(nextSibling); }
    T* GetFirstChild() const { return static_cast<T*>(firstChild); }

    /// Appends child at the end of the child list and sets its parent; the list takes over the
    /// caller's reference.
    void AppendChild(T* child) {
        Tree* node = child;
        node->parent = static_cast<T*>(this);
        if (!firstChild)
            firstChild = node;
        else
            lastChild->nextSibling = node;
        // The end of the list is remembered, so building a node with many children (a large
        // or hostile scene file) stays linear; a child arriving with siblings brings them along.
        lastChild = node;
        while (lastChild->nextSibling)
            lastChild = lastChild->nextSibling;
    }

private:
    T* parent;
    Tree* nextSibling = nullptr;
    Tree* firstChild = nullptr;
    Tree* lastChild = nullptr;
};

} // namespace Gralith::Utils
