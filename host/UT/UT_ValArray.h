#pragma once

#include "host/UT/SYS_Visibility.h"

#include <algorithm>
#include <vector>

// A growable array of values. An index out of range never overruns:
// reading gives a default value and writing goes to a scratch slot that is
// not stored. Grow with append or setSize.
template <typename T>
class VANTREL_API UT_ValArray
{
public:
    UT_ValArray() = default;
    explicit UT_ValArray(int size, const T &fill = T()) : myData(size > 0 ? size_t(size) : 0, fill) {}

    int entries() const { return int(myData.size()); }
    int size() const { return entries(); }
    bool isEmpty() const { return myData.empty(); }
    // Resizes, filling new entries with fill.
    void entries(int n, const T &fill = T()) { setSize(n, fill); }
    void setSize(int n, const T &fill = T()) { myData.resize(n > 0 ? size_t(n) : 0, fill); }
    void clear() { myData.clear(); }

    // Returns the index of the new entry.
    int append(const T &v) { myData.push_back(v); return entries() - 1; }
    int insert(const T &v, int index)
    {
        index = std::max(0, std::min(index, entries()));
        myData.insert(myData.begin() + index, v);
        return index;
    }
    // Index of the first equal entry, or -1.
    int find(const T &v) const
    {
        auto it = std::find(myData.begin(), myData.end(), v);
        return it == myData.end() ? -1 : int(it - myData.begin());
    }
    // Removes the entry at index; false when out of range.
    bool removeIndex(int index)
    {
        if (index < 0 || index >= entries())
            return false;
        myData.erase(myData.begin() + index);
        return true;
    }
    // Removes the first equal entry; returns its old index or -1.
    int findAndRemove(const T &v)
    {
        int i = find(v);
        removeIndex(i);
        return i;
    }

    T &operator()(int i)
    {
        if (i < 0 || i >= entries())
        {
            myScratch = T();
            return myScratch;
        }
        return myData[size_t(i)];
    }
    T operator()(int i) const { return (i >= 0 && i < entries()) ? myData[size_t(i)] : T(); }
    T &operator[](int i) { return (*this)(i); }
    T operator[](int i) const { return (*this)(i); }
    T last() const { return (*this)(entries() - 1); }

    bool operator==(const UT_ValArray &o) const { return myData == o.myData; }
    bool operator!=(const UT_ValArray &o) const { return myData != o.myData; }

    typename std::vector<T>::const_iterator begin() const { return myData.begin(); }
    typename std::vector<T>::const_iterator end() const { return myData.end(); }
    typename std::vector<T>::iterator begin() { return myData.begin(); }
    typename std::vector<T>::iterator end() { return myData.end(); }
    T *data() { return myData.data(); }
    const T *data() const { return myData.data(); }

private:
    std::vector<T> myData;
    T myScratch = T();
};
