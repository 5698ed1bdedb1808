#pragma once
// Growable array of CString, as the framework has it.

#include "CString.h"

#include <vector>

class CStringArray {
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    // Returns the index of the new element.
    int Add(const CString& item) { m_items.push_back(item); return GetSize() - 1; }
    const CString& GetAt(int index) const { return m_items.at(static_cast<size_t>(index)); }
    CString& operator[](int index) { return m_items.at(static_cast<size_t>(index)); }
    const CString& operator[](int index) const { return GetAt(index); }
    // Whether an element equals `item` exactly (CString::Compare).
    bool Contains(const CString& item) const
    {
        for (const CString& element : m_items)
            if (element.Compare(item) == 0)
                return true;
        return false;
    }
    void RemoveAll() { m_items.clear(); }
    void RemoveAt(int index) { m_items.erase(m_items.begin() + index); }
    // Replaces this array's content by a copy of `source`'s.
    void Copy(const CStringArray& source) { if (&source != this) m_items = source.m_items; }

private:
    std::vector<CString> m_items;
};
