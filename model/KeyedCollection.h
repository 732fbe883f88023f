#pragma once

#include "platform/RuntimeError.h"

#include <QHash>
#include <QString>

#include <vector>

// A keyed collection: members in insertion order, positions counted from 1,
// optional string keys compared without regard to letter case. An absent
// key or a position out of range is error 5, a key already present 457.
template<typename T>
class KeyedCollection
{
public:
    using iterator = typename std::vector<T>::iterator;
    using const_iterator = typename std::vector<T>::const_iterator;

    T &Add(T value, const QString &key = QString())
    {
        if (!key.isEmpty()) {
            const QString folded = key.toCaseFolded();
            if (m_index.contains(folded))
                throw RuntimeError(RuntimeError::DuplicateKey);
            m_index.insert(folded, static_cast<int>(m_items.size()));
        }
        m_keys.push_back(key);
        m_items.push_back(std::move(value));
        return m_items.back();
    }

    T &Item(int position) { return m_items[checkedIndex(position)]; }
    const T &Item(int position) const { return m_items[checkedIndex(position)]; }
    T &Item(const QString &key) { return m_items[indexOf(key)]; }
    const T &Item(const QString &key) const { return m_items[indexOf(key)]; }

    // The member under key, or nullptr.
    const T *find(const QString &key) const
    {
        const auto it = m_index.constFind(key.toCaseFolded());
        return it == m_index.cend() ? nullptr : &m_items[*it];
    }
    bool contains(const QString &key) const { return find(key) != nullptr; }

    int Count() const { return static_cast<int>(m_items.size()); }
    // The key a member was added under (empty: none), by position from 1.
    const QString &keyAt(int position) const { return m_keys[checkedIndex(position)]; }
    bool isEmpty() const { return m_items.empty(); }

    void Remove(int position) { removeAt(checkedIndex(position)); }
    void Remove(const QString &key) { removeAt(indexOf(key)); }
    void clear()
    {
        m_items.clear();
        m_keys.clear();
        m_index.clear();
    }
    void reserve(int n)
    {
        m_items.reserve(n);
        m_keys.reserve(n);
    }

    iterator begin() { return m_items.begin(); }
    iterator end() { return m_items.end(); }
    const_iterator begin() const { return m_items.begin(); }
    const_iterator end() const { return m_items.end(); }

private:
    [[noreturn]] static void invalidArgument()
    {
        throw RuntimeError(RuntimeError::InvalidArgument);
    }

    std::size_t checkedIndex(int position) const
    {
        if (position < 1 || position > Count())
            invalidArgument();
        return static_cast<std::size_t>(position - 1);
    }

    std::size_t indexOf(const QString &key) const
    {
        const auto it = m_index.constFind(key.toCaseFolded());
        if (it == m_index.cend())
            invalidArgument();
        return static_cast<std::size_t>(*it);
    }

    void removeAt(std::size_t index)
    {
        if (!m_keys[index].isEmpty())
            m_index.remove(m_keys[index].toCaseFolded());
        m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
        m_keys.erase(m_keys.begin() + static_cast<std::ptrdiff_t>(index));
        // Later members moved down by one.
        for (auto it = m_index.begin(); it != m_index.end(); ++it) {
            if (static_cast<std::size_t>(*it) > index)
                --*it;
        }
    }

    std::vector<T> m_items;
    std::vector<QString> m_keys;
    QHash<QString, int> m_index;
};
