#pragma once

#include "lib/XmlDocument.h"
#include "ui/Component.h"
#include "ui/Event.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vondrel {

class TStrings;

/// A component about to be localised (or just localised) from an element: the component
/// (xComponent) and the element applied to it (xComponentNode).
using TLoadComponentEvent = TEvent<TComponent*, const TXmlElement&>;

/// Applies the attributes of one element of a language file to one component.
class ILangRead {
public:
    virtual ~ILangRead() = default;
    virtual void Read(TComponent& component, const TXmlElement& element) = 0;
};

/// Every attribute of the element is one assignment, in the element's order: its name a
/// property path, its value the text to assign. A path is made of segments separated by
/// "." (blanks around a segment ignored); a segment may end in "_" and a decimal index:
///
///   Caption, Hint, Font.Name, Font.Style  a property of the component or of an object
///                                         property ("[fsBold]", "clRed" and "255" as the
///                                         platform reads them)
///   Items_3, Lines_0                      a line of a strings property (empty lines are
///                                         added up to it)
///   Columns_1.Caption, Items_2.Caption    a column or an item of a list view
///   Items_2.SubItems_0                    a line of a strings property of an item
///   Items_4.Text                          a node of a tree view, in the tree's flat order
///   Panels.Items_1.Text                   an item of any collection property
///
/// An assignment that cannot be made (a name no property has, an index out of range, a
/// read-only property, a value the property refuses) is skipped.
class TComponentRead : public ILangRead {
public:
    void Read(TComponent& component, const TXmlElement& element) override;

    /// Makes one assignment; false when it could not be made.
    static bool Apply(TComponent& component, std::string_view path, const std::string& value);
};

/// For combo boxes: the selected item stays selected (its text may have changed).
class TCustomComboBoxRead : public TComponentRead {
public:
    void Read(TComponent& component, const TXmlElement& element) override;
};

/// The same for the data-aware combo boxes of the grid pack (class TwwDBCustomComboBox and
/// its descendants), whose selected item is reached by the published ItemIndex.
class TwwDBCustomComboBoxRead : public TComponentRead {
public:
    void Read(TComponent& component, const TXmlElement& element) override;
};

/// Chooses the reader for a component.
class TReaderFactory {
public:
    static std::unique_ptr<ILangRead> CreateReader(const TComponent& component);
};

/// Localises components from a loaded language file. The document element carries the
/// attributes of the form (or data module) being localised; every other component takes
/// the first element, in document order and at any depth, whose tag is its name.
class TLangReader {
public:
    /// The document must outlive the reader.
    explicit TLangReader(const TXmlDocument& document);

    /// The names of the components that are not localised themselves (the components they
    /// own still are); names compare trimmed and without regard to case.
    void SetExcludeControls(const TStrings& names);
    bool Excluded(std::string_view name) const;

    /// Localises the component, then everything it owns, depth first in ownership order. A
    /// form receives the document element's attributes, then those of an element named
    /// after it.
    void ReadComponent(TComponent* component);

    TLoadComponentEvent BeforeLoadComponent;
    TLoadComponentEvent AfterLoadComponent;

private:
    void Load(TComponent& component, const TXmlElement& element);

    const TXmlDocument& document_;
    std::vector<std::string> excluded_;
};

} // namespace vondrel
