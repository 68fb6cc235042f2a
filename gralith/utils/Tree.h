#pragma once

#include "gralith/Object.h"

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
        if (firstChild)
            firstChild->Release();
        // Siblings are released in a loop rather than by recursion, so a long child list (a
        // file with many thousands of attributes or nodes) cannot exhaust the stack.
        Tree* sibling = nextSibling;
        while (sibling) {
            Tree* following = sibling->nextSibling;
            if (sibling->GetRefCount() == 1)
                sibling->nextSibling = nullptr; // this loop takes over that link
            else
                following = nullptr; // someone else keeps the rest of the list alive
            sibling->Release();
            sibling = following;
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
        if (!firstChild) {
            firstChild = node;
            return;
        }
        Tree* last = firstChild;
        while (last->nextSibling)
            last = last->nextSibling;
        last->nextSibling = node;
    }

private:
    T* parent;
    Tree* nextSibling = nullptr;
    Tree* firstChild = nullptr;
};

} // namespace Gralith::Utils
