#pragma once

#include "ui/ClassInfo.h"

#include <any>
#include <optional>
#include <string>
#include <string_view>

namespace vondrel {

/// Root of the control model's classes: knows its class description and reaches its
/// published properties by name. A property path may go through object properties
/// ("Font.Name", "Font.Style").
class TObject {
public:
    virtual ~TObject();
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;

    const TClassInfo& ClassType() const noexcept { return *class_; }
    const std::string& ClassName() const noexcept { return class_->Name(); }
    bool InheritsFrom(std::string_view className) const noexcept { return class_->InheritsFrom(className); }

    /// The published property of that name (no path), or nullptr.
    const TPropInfo* FindProperty(std::string_view name) const noexcept { return class_->FindProperty(name); }
    bool HasProperty(std::string_view path) const;

    /// Values: integers, booleans, floats and texts as such; enumerations as their ordinal,
    /// sets as their bit mask; a strings property as its whole text. Writers also accept
    /// texts ("clRed", "taCenter", "[fsBold]").
    TPropResult GetPropValue(std::string_view path, Variant& value) const;
    TPropResult SetPropValue(std::string_view path, const Variant& value);
    /// Texts as the form files spell them: names of enumeration values and colours,
    /// "[a,b]" for sets, "True"/"False", the name of a referenced component.
    TPropResult GetPropText(std::string_view path, std::string& text) const;
    TPropResult SetPropText(std::string_view path, std::string_view text);
    /// The object a class property holds (a font, a list, a referenced component).
    TObject* GetPropObject(std::string_view path) const;
    TPropResult SetPropObject(std::string_view path, TObject* value);
    /// Event properties, as a std::any holding the slot's TEvent type.
    TPropResult GetPropEvent(std::string_view path, std::any& handler) const;
    TPropResult SetPropEvent(std::string_view path, const std::any& handler);

    template <class E>
    std::optional<E> GetEvent(std::string_view path) const {
        std::any handler;
        if (GetPropEvent(path, handler) != TPropResult::Ok)
            return std::nullopt;
        if (const E* event = std::any_cast<E>(&handler))
            return *event;
        return std::nullopt;
    }
    template <class E>
    TPropResult SetEvent(std::string_view path, const E& handler) {
        return SetPropEvent(path, std::any(handler));
    }

protected:
    TObject() noexcept;
    /// Describes the class being constructed: its parent is the class described so far
    /// (the base class whose constructor has run). Call once, from the class's constructor,
    /// keeping the result in a function-local static, then SetClass with it.
    template <class C, class F>
    const TClassInfo& DescribeClass(std::string name, F&& define) const {
        TClassInfo& info = NewClassInfo(std::move(name), class_);
        TClassBuilder<C> builder(info);
        define(builder);
        return info;
    }
    const TClassInfo& DescribeClass(std::string name) const { return NewClassInfo(std::move(name), class_); }
    void SetClass(const TClassInfo& info) noexcept { class_ = &info; }

private:
    static TClassInfo& NewClassInfo(std::string name, const TClassInfo* parent);
    TPropResult Resolve(std::string_view path, const TObject*& owner, const TPropInfo*& info) const;

    const TClassInfo* class_;
};

/// An object that can copy another of its kind (fonts, lists, bitmaps).
class TPersistent : public TObject {
public:
    /// Copies the source; raises EConvertError when the classes do not fit.
    virtual void Assign(const TPersistent& source);

protected:
    TPersistent();
};

class EConvertError : public Exception {
    using Exception::Exception;
};

} // namespace vondrel
