#include "ui/Strings.h"

#include "ui/Errors.h"

#include "platform/SysUtils.h"

#include <algorithm>

namespace vondrel {

namespace detail {

std::string StringsText(const TStrings& strings) {
    return strings.Text();
}

void SetStringsText(TStrings& strings, std::string_view text) {
    strings.SetText(text);
}

} // namespace detail

TStrings::TStrings() {
    static const TClassInfo& info = DescribeClass("TStrings");
    SetClass(info);
}

int TStrings::Add(const std::string& text) {
    const int index = Count();
    Insert(index, text);
    return index;
}

int TStrings::AddObject(const std::string& text, TObject* object) {
    const int index = Add(text);
    PutObject(index, object);
    return index;
}

void TStrings::AddStrings(const TStrings& strings) {
    BeginUpdate();
    for (int i = 0; i < strings.Count(); ++i)
        AddObject(strings.Get(i), strings.GetObject(i));
    EndUpdate();
}

int TStrings::IndexOf(std::string_view text) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(Get(i), text))
            return i;
    return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
    for (int i = 0; i < Count(); ++i)
        if (GetObject(i) == object)
            return i;
    return -1;
}

std::string TStrings::Text() const {
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        text += Get(i);
        text += "\r\n";
    }
    return text;
}

void TStrings::SetText(std::string_view text) {
    BeginUpdate();
    Clear();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        Add(std::string(text.substr(start, end - start)));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    EndUpdate();
}

std::string TStrings::CommaText() const {
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        if (i > 0)
            text += ',';
        const std::string line = Get(i);
        const bool quote = line.empty() || line.find_first_of(" ,\"") != std::string::npos;
        if (!quote) {
            text += line;
            continue;
        }
        text += '"';
        for (char c : line) {
            if (c == '"')
                text += '"';
            text += c;
        }
        text += '"';
    }
    return text;
}

void TStrings::SetCommaText(std::string_view text) {
    BeginUpdate();
    Clear();
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ')
            ++i;
    };
    skipBlanks();
    while (i < text.size()) {
        std::string item;
        if (text[i] == '"') {
            ++i;
            while (i < text.size()) {
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        item += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
        } else {
            while (i < text.size() && text[i] != ',' && static_cast<unsigned char>(text[i]) > ' ')
                item += text[i++];
        }
        Add(item);
        skipBlanks();
        if (i < text.size() && text[i] == ',') {
            ++i;
            skipBlanks();
        }
    }
    EndUpdate();
}

std::string TStrings::Names(int index) const {
    const std::string line = Get(index);
    const std::size_t equals = line.find('=');
    return equals == std::string::npos ? std::string() : line.substr(0, equals);
}

int TStrings::IndexOfName(std::string_view name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string line = Get(i);
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos && SameText(std::string_view(line).substr(0, equals), name))
            return i;
    }
    return -1;
}

std::string TStrings::Values(std::string_view name) const {
    const int index = IndexOfName(name);
    if (index < 0)
        return {};
    const std::string line = Get(index);
    return line.substr(line.find('=') + 1);
}

void TStrings::SetValue(std::string_view name, const std::string& value) {
    const int index = IndexOfName(name);
    if (value.empty()) {
        if (index >= 0)
            Delete(index);
        return;
    }
    const std::string line = std::string(name) + "=" + value;
    if (index >= 0)
        Put(index, line);
    else
        Add(line);
}

void TStrings::BeginUpdate() {
    if (updateCount_++ == 0)
        changedWhileUpdating_ = false;
}

void TStrings::EndUpdate() {
    if (updateCount_ == 0)
        return;
    if (--updateCount_ == 0 && changedWhileUpdating_) {
        changedWhileUpdating_ = false;
        Changed();
    }
}

void TStrings::Changing() {
    if (updateCount_ == 0)
        OnChanging(this);
}

void TStrings::Changed() {
    if (updateCount_ > 0) {
        changedWhileUpdating_ = true;
        return;
    }
    OnChange(this);
}

void TStrings::CheckIndex(int index, bool forInsert) const {
    if (index < 0 || index > Count() || (!forInsert && index == Count()))
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TStrings::Assign(const TPersistent& source) {
    const auto* strings = dynamic_cast<const TStrings*>(&source);
    if (!strings) {
        TPersistent::Assign(source);
        return;
    }
    if (strings == this)
        return;
    BeginUpdate();
    Clear();
    AddStrings(*strings);
    EndUpdate();
}

bool TStrings::Equals(const TStrings& other) const {
    if (Count() != other.Count())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != other.Get(i))
            return false;
    return true;
}

TStringList::TStringList() {
    static const TClassInfo& info =
        DescribeClass<TStringList>("TStringList", [](TClassBuilder<TStringList>& c) {
            c.Property("Sorted", &TStringList::Sorted, &TStringList::SetSorted);
        });
    SetClass(info);
}

std::string TStringList::Get(int index) const {
    CheckIndex(index);
    return items_[static_cast<std::size_t>(index)].Text;
}

void TStringList::Put(int index, const std::string& text) {
    CheckIndex(index);
    if (sorted_)
        throw EStringListError("Operation not allowed on sorted string list");
    Changing();
    items_[static_cast<std::size_t>(index)].Text = text;
    Changed();
}

TObject* TStringList::GetObject(int index) const {
    CheckIndex(index);
    return items_[static_cast<std::size_t>(index)].Object;
}

void TStringList::PutObject(int index, TObject* object) {
    CheckIndex(index);
    Changing();
    items_[static_cast<std::size_t>(index)].Object = object;
    Changed();
}

int TStringList::SortedPosition(std::string_view text) const {
    const auto found =
        std::upper_bound(items_.begin(), items_.end(), text,
                         [](std::string_view t, const Item& item) { return CompareText(t, item.Text) < 0; });
    return static_cast<int>(found - items_.begin());
}

void TStringList::Insert(int index, const std::string& text) {
    if (sorted_)
        index = SortedPosition(text);
    CheckIndex(index, true);
    Changing();
    items_.insert(items_.begin() + index, Item{text, nullptr});
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    Changing();
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (items_.empty())
        return;
    Changing();
    items_.clear();
    Changed();
}

int TStringList::IndexOf(std::string_view text) const {
    return TStrings::IndexOf(text);
}

int TStringList::Add(const std::string& text) {
    const int index = sorted_ ? SortedPosition(text) : Count();
    Changing();
    items_.insert(items_.begin() + index, Item{text, nullptr});
    Changed();
    return index;
}

void TStringList::SetSorted(bool sorted) {
    if (sorted == sorted_)
        return;
    if (sorted)
        Sort();
    sorted_ = sorted;
}

void TStringList::Sort() {
    Changing();
    std::stable_sort(items_.begin(), items_.end(),
                     [](const Item& a, const Item& b) { return CompareText(a.Text, b.Text) < 0; });
    Changed();
}

void TStringList::Exchange(int a, int b) {
    CheckIndex(a);
    CheckIndex(b);
    Changing();
    std::swap(items_[static_cast<std::size_t>(a)], items_[static_cast<std::size_t>(b)]);
    Changed();
}

} // namespace vondrel
