#pragma once

#include "ui/Object.h"

#include <string>
#include <string_view>
#include <vector>

namespace vondrel {

/// A list of text lines, each with an optional object: the items of a combo box, the
/// lines of a memo, the sub-items of a list-view row.
class TStrings : public TPersistent {
public:
    virtual int Count() const noexcept = 0;
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& text) = 0;
    virtual TObject* GetObject(int index) const = 0;
    virtual void PutObject(int index, TObject* object) = 0;
    virtual void Insert(int index, const std::string& text) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    std::string operator[](int index) const { return Get(index); }
    virtual int Add(const std::string& text);
    int AddObject(const std::string& text, TObject* object);
    void AddStrings(const TStrings& strings);
    /// The first line equal to the text, without regard to case; -1 when none is.
    virtual int IndexOf(std::string_view text) const;
    int IndexOfObject(const TObject* object) const;

    /// All lines, each followed by a carriage return and line feed.
    std::string Text() const;
    /// Replaces the lines by those of the text (split at CR LF, LF or CR).
    void SetText(std::string_view text);
    /// The lines separated by commas, quoted where they hold blanks, commas or quotes.
    std::string CommaText() const;
    void SetCommaText(std::string_view text);

    /// "Name=Value" lines: the name part of a line, and the value of the first line with
    /// that name (without regard to case).
    std::string Names(int index) const;
    std::string Values(std::string_view name) const;
    void SetValue(std::string_view name, const std::string& value);
    int IndexOfName(std::string_view name) const;

    void BeginUpdate();
    void EndUpdate();
    bool Updating() const noexcept { return updateCount_ > 0; }
    void Assign(const TPersistent& source) override;
    bool Equals(const TStrings& other) const;

    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    TStrings();
    void Changing();
    void Changed();
    void CheckIndex(int index, bool forInsert = false) const;

private:
    int updateCount_ = 0;
    bool changedWhileUpdating_ = false;
};

/// The list of lines itself; optionally kept sorted (without regard to case).
class TStringList : public TStrings {
public:
    TStringList();

    int Count() const noexcept override { return static_cast<int>(items_.size()); }
    std::string Get(int index) const override;
    void Put(int index, const std::string& text) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    void Insert(int index, const std::string& text) override;
    void Delete(int index) override;
    void Clear() override;
    int IndexOf(std::string_view text) const override;
    int Add(const std::string& text) override;

    bool Sorted() const noexcept { return sorted_; }
    void SetSorted(bool sorted);
    void Sort();
    void Exchange(int a, int b);

private:
    struct Item {
        std::string Text;
        TObject* Object = nullptr;
    };
    int SortedPosition(std::string_view text) const;

    std::vector<Item> items_;
    bool sorted_ = false;
};

} // namespace vondrel
