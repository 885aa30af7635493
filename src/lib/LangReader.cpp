#include "lib/LangReader.h"

#include "ui/ComboBox.h"
#include "ui/Form.h"
#include "ui/ListView.h"
#include "ui/Strings.h"
#include "ui/TreeView.h"

#include "platform/SysUtils.h"

#include <algorithm>

namespace vondrel {

namespace {

/// A line index beyond this is refused rather than padded with empty lines: a file asking
/// for line 2000000000 gets nothing instead of exhausting memory.
constexpr int kMaxLineIndex = 65535;

/// One segment of a property path: its name and, for "Items_3", the index.
struct TSegment {
    std::string Name;
    int Index = -1;
    bool Indexed = false;
};

TSegment SplitSegment(std::string_view text) {
    TSegment segment{Trim(text)};
    const std::size_t underscore = segment.Name.rfind('_');
    if (underscore == std::string::npos || underscore + 1 == segment.Name.size())
        return segment;
    const std::string digits = segment.Name.substr(underscore + 1);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return segment;
    const std::optional<std::int32_t> index = TryStrToInt(digits);
    if (!index)
        return segment;
    segment.Index = *index;
    segment.Indexed = true;
    segment.Name.resize(underscore);
    return segment;
}

std::vector<std::string_view> SplitPath(std::string_view path) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t dot = path.find('.', start);
        parts.push_back(path.substr(start, dot - start));
        if (dot == std::string_view::npos)
            return parts;
        start = dot + 1;
    }
}

/// The object a class (or strings) property holds; nullptr when there is no such property.
TObject* ObjectProperty(const TObject& object, std::string_view name) {
    const TPropInfo* info = object.FindProperty(name);
    if (!info || !info->ReadObject)
        return nullptr;
    return info->ReadObject(object);
}

/// One step into an indexed segment ("Items_2", "Columns_1"); nullptr when it leads nowhere.
TObject* IndexedStep(TObject& target, const TSegment& segment) {
    if (auto* collection = dynamic_cast<TCollection*>(&target))
        return collection->Item(segment.Index);
    if (auto* list = dynamic_cast<TListView*>(&target))
        return SameText(segment.Name, "Columns")
                   ? static_cast<TObject*>(list->Columns()->Items(segment.Index))
                   : static_cast<TObject*>(list->Items()->Item(segment.Index));
    if (auto* tree = dynamic_cast<TTreeView*>(&target))
        return SameText(segment.Name, "Items") ? tree->Items()->Item(segment.Index) : nullptr;
    return ObjectProperty(target, segment.Name);
}

bool PutLine(TStrings& strings, int index, const std::string& value) {
    if (index < 0 || index > kMaxLineIndex)
        return false;
    strings.BeginUpdate();
    while (strings.Count() <= index)
        strings.Add("");
    strings.Put(index, value);
    strings.EndUpdate();
    return true;
}

int PublishedItemIndex(const TComponent& component) {
    Variant value;
    if (component.GetPropValue("ItemIndex", value) != TPropResult::Ok)
        return -1;
    try {
        return value.AsInteger();
    } catch (const std::exception&) {
        return -1;
    }
}

} // namespace

void TComponentRead::Read(TComponent& component, const TXmlElement& element) {
    for (const TXmlAttribute& attribute : element.Attributes()) {
        try {
            Apply(component, attribute.Name(), attribute.Value());
        } catch (const std::exception&) {
            // A property that refuses its value in its own way: the next attribute goes on.
        }
    }
}

bool TComponentRead::Apply(TComponent& component, std::string_view path, const std::string& value) {
    const std::vector<std::string_view> parts = SplitPath(path);
    TObject* target = &component;
    std::string last(parts.back());
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        const TSegment segment = SplitSegment(parts[i]);
        if (!segment.Indexed) {
            target = ObjectProperty(*target, segment.Name);
        } else if (!SameText(segment.Name, "Items") && !SameText(segment.Name, "Columns")) {
            // Only items and columns are reached by index; the name itself is assigned.
            last = segment.Name;
            break;
        } else {
            target = IndexedStep(*target, segment);
        }
        if (!target)
            return false;
    }

    const TSegment lastSegment = SplitSegment(last);
    if (lastSegment.Index >= 0) {
        // "Items_3": a line of the list that property holds.
        if (TObject* list = ObjectProperty(*target, lastSegment.Name); dynamic_cast<TStrings*>(list))
            target = list;
        else if (target == &component)
            return false;
    }

    if (auto* strings = dynamic_cast<TStrings*>(target))
        return PutLine(*strings, lastSegment.Index, value);
    if (auto* item = dynamic_cast<TListItem*>(target); item && SameText(lastSegment.Name, "Caption")) {
        item->SetCaption(value);
        return true;
    }
    if (auto* node = dynamic_cast<TTreeNode*>(target); node && SameText(lastSegment.Name, "Text")) {
        node->SetText(value);
        return true;
    }
    return target->SetPropText(lastSegment.Name, value) == TPropResult::Ok;
}

void TCustomComboBoxRead::Read(TComponent& component, const TXmlElement& element) {
    auto* combo = dynamic_cast<TComboBox*>(&component);
    const int index = combo ? combo->ItemIndex() : -1;
    TComponentRead::Read(component, element);
    if (combo && index < combo->Items()->Count())
        combo->SetItemIndex(index);
}

void TwwDBCustomComboBoxRead::Read(TComponent& component, const TXmlElement& element) {
    const int index = PublishedItemIndex(component);
    TComponentRead::Read(component, element);
    if (PublishedItemIndex(component) != index)
        component.SetPropValue("ItemIndex", index);
}

std::unique_ptr<ILangRead> TReaderFactory::CreateReader(const TComponent& component) {
    if (component.InheritsFrom("TwwDBCustomComboBox"))
        return std::make_unique<TwwDBCustomComboBoxRead>();
    if (dynamic_cast<const TComboBox*>(&component))
        return std::make_unique<TCustomComboBoxRead>();
    return std::make_unique<TComponentRead>();
}

TLangReader::TLangReader(const TXmlDocument& document) : document_(document) {}

void TLangReader::SetExcludeControls(const TStrings& names) {
    excluded_.clear();
    for (int i = 0; i < names.Count(); ++i)
        excluded_.push_back(Trim(names.Get(i)));
}

bool TLangReader::Excluded(std::string_view name) const {
    const std::string trimmed = Trim(name);
    return std::any_of(excluded_.begin(), excluded_.end(),
                       [&trimmed](const std::string& excluded) { return SameText(excluded, trimmed); });
}

void TLangReader::Load(TComponent& component, const TXmlElement& element) {
    BeforeLoadComponent(&component, element);
    TReaderFactory::CreateReader(component)->Read(component, element);
    AfterLoadComponent(&component, element);
}

void TLangReader::ReadComponent(TComponent* component) {
    if (!component)
        return;
    const TComponentRef<TComponent> alive(component);
    if (dynamic_cast<TForm*>(component) || component->InheritsFrom("TDataModule"))
        if (const TXmlElement root = document_.DocumentElement())
            Load(*component, root);
    if (!alive)
        return;
    if (!component->Name().empty() && !Excluded(component->Name()))
        if (const TXmlElement element = document_.FirstElementByTagName(component->Name()))
            Load(*component, element);
    if (!alive)
        return;
    // An event handler may add or free components: walk a copy.
    std::vector<TComponentRef<TComponent>> owned;
    for (TComponent* child : component->OwnedComponents())
        owned.emplace_back(child);
    for (const TComponentRef<TComponent>& child : owned)
        if (child)
            ReadComponent(child);
}

} // namespace vondrel
