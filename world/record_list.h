#pragma once
// What every world list has in common: elements held by value at stable addresses, in the order
// they were added (or sorted, where a list inserts at its sorted place), the end (nullptr) as
// "not found", and the list's record file: an int32 count, then each element's save image
// followed at once by its nested lists in the same shape.
//
// A list is read all or nothing: the file is parsed into a fresh list, and only a file that reads
// completely replaces the elements. A count from a file never sizes an allocation.
//
// Derived is the concrete list (CRTP, no virtual calls). It may define
//   bool AddFromImage(const std::uint8_t* image)   (default: append an element built from it)
// The element type T provides
//   static constexpr std::size_t kImageSize;
//   void PackSaveImage();                       fills its save image from the live fields
//   const std::uint8_t* SaveImageBytes() const;
//   bool LoadSaveImage(const std::uint8_t* image);  false when the image names something unknown
// and, when it has nested lists,
//   bool ReadNested(RecordFile& f);   bool WriteNested(RecordFile& f);
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "world/names.h"
#include "world/record_file.h"

template <typename Derived, typename T>
class RecordList {
 public:
  using Element = T;

  class Iterator {
   public:
    using Base = typename std::vector<std::unique_ptr<T>>::const_iterator;
    explicit Iterator(Base it) : it_(it) {}
    T& operator*() const { return **it_; }
    T* operator->() const { return it_->get(); }
    Iterator& operator++() {
      ++it_;
      return *this;
    }
    bool operator==(const Iterator& o) const { return it_ == o.it_; }

   private:
    Base it_;
  };

  RecordList() = default;
  RecordList(RecordList&&) noexcept = default;
  RecordList& operator=(RecordList&&) noexcept = default;
  // Copies are deep: each list owns its own elements.
  RecordList(const RecordList& o) { CopyElements(o); }
  RecordList& operator=(const RecordList& o) {
    if (this != &o) CopyElements(o);
    return *this;
  }

  Iterator begin() const { return Iterator(items_.begin()); }
  Iterator end() const { return Iterator(items_.end()); }

  std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
  std::int32_t GetCount() const { return Count(); }
  bool Empty() const { return items_.empty(); }

  // The element at index (from 0), or the end for an index outside the list.
  T* GetAt(std::int32_t index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return items_[static_cast<std::size_t>(index)].get();
  }

  // Index of an element of this list, or -1.
  std::int32_t IndexOf(const T* e) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
      if (items_[i].get() == e) return static_cast<std::int32_t>(i);
    return -1;
  }

  T* Append(T element) {
    items_.push_back(std::make_unique<T>(std::move(element)));
    return items_.back().get();
  }

  T* InsertAt(std::int32_t index, T element) {
    if (index < 0) index = 0;
    if (index > Count()) index = Count();
    auto it = items_.insert(items_.begin() + index, std::make_unique<T>(std::move(element)));
    return it->get();
  }

  // Removes one element; the others keep their order.
  void Remove(const T* e) {
    std::int32_t i = IndexOf(e);
    if (i >= 0) items_.erase(items_.begin() + i);
  }
  void RemoveAt(std::int32_t index) {
    if (index >= 0 && index < Count()) items_.erase(items_.begin() + index);
  }

  void Clear() { items_.clear(); }

  // The first element whose id is `id`, or the end.
  T* FindById(std::int32_t id) const
    requires requires(const T& t) { t.GetId(); }
  {
    for (auto& p : items_)
      if (p->GetId() == id) return p.get();
    return nullptr;
  }

  // The first element whose name reference is `name`, or the end.
  T* FindByName(NameRef name) const
    requires requires(const T& t) { t.GetName(); }
  {
    for (auto& p : items_)
      if (p->GetName() == name) return p.get();
    return nullptr;
  }

  // How many elements match; the n-th (from 0, list order) that matches, or the end (also for a
  // negative n). Every list's counted queries come in such pairs.
  template <typename Pred>
  std::int32_t CountIf(Pred pred) const {
    std::int32_t count = 0;
    for (auto& p : items_)
      if (pred(*p)) ++count;
    return count;
  }
  template <typename Pred>
  T* NthIf(std::int32_t n, Pred pred) const {
    std::int32_t seen = 0;
    for (auto& p : items_) {
      if (!pred(*p)) continue;
      if (seen == n) return p.get();
      ++seen;
    }
    return nullptr;
  }

  // The default add-from-image: an element built from the image, appended.
  bool AddFromImage(const std::uint8_t* image) {
    T e;
    if (!e.LoadSaveImage(image)) return false;
    Append(std::move(e));
    return true;
  }

  // Top-level list: reads "DATAFILE/<file_name>". False (list unchanged) when the file does not
  // open or anything in it is short or refused.
  bool Load(const char* file_name) {
    RecordFile f;
    if (!f.OpenRead(RecordFile::DataPath(file_name))) return false;
    bool ok = Read(f);
    f.Close();
    return ok;
  }

  // Top-level list: packs nothing (the caller packs first) and writes "DATAFILE/<file_name>"
  // through a temporary file; false on any failed write, and the old file stays.
  bool Save(const char* file_name) const {
    return SaveRecordFile(file_name, [this](RecordFile& f) { return WriteElements(f, false); });
  }

  // Top-level list: packs nothing and writes the list file at exactly `path` (a file system path,
  // not a name under DATAFILE/); false, with no file left there, on any failed write.
  bool SaveAt(const std::string& path) const {
    return WriteRecordFileAt(path, [this](RecordFile& f) { return WriteElements(f, false); });
  }

  // Nested list on an open file: all or nothing.
  bool Read(RecordFile& f) {
    std::int32_t count = 0;
    if (!f.ReadI32(count)) return false;
    Derived fresh;
    std::vector<std::uint8_t> image(T::kImageSize);
    for (std::int32_t i = 0; i < count; ++i) {
      if (!f.Read(image.data(), image.size())) return false;
      if (!fresh.Self().AddFromImage(image.data())) return false;
      if constexpr (requires(T& t) { t.ReadNested(f); }) {
        // The element just added is the last one, or sits at its sorted place.
        T* added = fresh.LastAdded();
        if (!added || !added->ReadNested(f)) return false;
      }
    }
    items_ = std::move(fresh.items_);
    return true;
  }

  // Nested list on an open file: packs each element just before writing it.
  bool Write(RecordFile& f) const { return WriteElements(f, true); }

  // Packs the save image of every element (the slot routine does this before Save).
  void PackAll() const {
    for (auto& p : items_) p->PackSaveImage();
  }

 protected:
  Derived& Self() { return static_cast<Derived&>(*this); }

  // The element most recently added by AddFromImage (sorted lists insert in the middle).
  T* LastAdded() const { return last_added_ ? last_added_ : (items_.empty() ? nullptr : items_.back().get()); }
  void NoteAdded(T* e) { last_added_ = e; }

  std::vector<std::unique_ptr<T>> items_;

 private:
  bool WriteElements(RecordFile& f, bool pack) const {
    if (!f.WriteI32(Count())) return false;
    for (auto& p : items_) {
      if (pack) p->PackSaveImage();
      if (!f.Write(p->SaveImageBytes(), T::kImageSize)) return false;
      if constexpr (requires(T& t) { t.WriteNested(f); }) {
        if (!p->WriteNested(f)) return false;
      }
    }
    return f.Ok();
  }

  void CopyElements(const RecordList& o) {
    items_.clear();
    for (auto& p : o.items_) items_.push_back(std::make_unique<T>(*p));
    last_added_ = nullptr;
  }

  T* last_added_ = nullptr;
};
