#pragma once

#include <vondrel/Exception.h>

#include "lib/DesignType.h"
#include "lib/LangReader.h"
#include "lib/XmlDocument.h"
#include "ui/Component.h"
#include "ui/Strings.h"

#include <memory>
#include <string>
#include <string_view>

namespace vondrel {

/// Every error the language controller raises.
class LanguageControllerError : public Exception {
    using Exception::Exception;
};

inline constexpr const char* kCannotFindFileError = "Cannot Find File %s!";
inline constexpr const char* kNoActiveControllerError = "No active LanguageController!";

/// The extension of language files.
inline constexpr const char* kLanguageFileExtension = ".Lng";

/// The language code of an interface code page: "936" CHS, "950" CHT, "437" ENG; empty for
/// any other.
std::string LanguageCodeOf(std::string_view uiCodePage);
/// The folder of the language files of the installation (client or server) for its
/// interface code page: install folder + "MultiLanguage/" + code + "/". Empty when the code
/// page has no language code, the install folder is not known or that folder does not
/// exist. The settings are read afresh on every call.
std::string LanguageFolder(TDesignType kind);
/// Language folder + package name + ".Lng" (a name relative to the current folder when
/// there is no language folder).
std::string LanguageFileName(TDesignType kind, std::string_view packageName);

/// The text of a message in a language file: the attribute Msg of the first element named
/// after the identifier (also when that text is empty). The default when the file is
/// missing or cannot be parsed, or holds no such entry. Nothing is cached.
std::string ReadLangMessage(TDesignType kind, std::string_view packageName, std::string_view identifier,
                            std::string_view defaultText);

/// Loads a language file and applies it, through its reader, to a form and everything the
/// form owns. Activating loads the file; the reader exists only while active.
///
/// Active set while the component is being built with its form only records the wish; the
/// controller activates itself once the form is built (Loaded).
class TLanguageController : public TComponent {
public:
    explicit TLanguageController(TComponent* owner);
    ~TLanguageController() override;

    const std::string& FileName() const noexcept { return fileName_; }
    /// A document with a document element is loaded.
    bool Active() const noexcept;
    /// Activating raises LanguageControllerError: "Cannot Find File %s!" for an empty file
    /// name, the parser's reason for a file that is missing or not well-formed (the
    /// controller then stays inactive).
    void SetActive(bool value);

    /// Names of components that are not localised (the components they own still are).
    TStrings* ExcludeControls() const noexcept { return excludeControls_.get(); }
    /// Copies the lines (clears the list for nullptr); an active reader takes them at once.
    void SetExcludeControls(const TStrings* lines);

    /// The reader of the loaded file; raises LanguageControllerError "No active
    /// LanguageController!" when the controller is not active.
    TLangReader& Reader();
    /// The loaded document; nullptr when not active.
    const TXmlDocument* Document() const noexcept { return document_.get(); }

    void Loaded() override;

    TNotifyEvent BeforeOpen;
    TNotifyEvent AfterOpen;
    TNotifyEvent BeforeClose;
    TNotifyEvent AfterClose;
    TLoadComponentEvent BeforeLoadComponent;
    TLoadComponentEvent AfterLoadComponent;

protected:
    /// A new file name; it takes effect at the next activation.
    void SetFileName(const std::string& fileName) { fileName_ = fileName; }

    // The events are fired from these, which descendants may extend.
    virtual void DoBeforeOpen();
    virtual void DoAfterOpen();
    virtual void DoBeforeClose();
    virtual void DoAfterClose();
    virtual void DoBeforeLoadComponent(TComponent* component, const TXmlElement& element);
    virtual void DoAfterLoadComponent(TComponent* component, const TXmlElement& element);

private:
    void Open();
    void Close();
    void Release();

    std::string fileName_;
    std::unique_ptr<TXmlDocument> document_;
    std::unique_ptr<TLangReader> reader_;
    std::unique_ptr<TStringList> excludeControls_;
    bool streamedActive_ = false;
};

/// The controller of the framework's forms: the file follows the package name (a form
/// class name) in the language folder of the client or server installation.
class TKmLangController : public TLanguageController {
public:
    explicit TKmLangController(TComponent* owner);

    const std::string& LangPackageName() const noexcept { return langPackageName_; }
    /// A new name builds the file name anew; a different file deactivates the controller.
    void SetLangPackageName(const std::string& name);
    TDesignType DesignType() const noexcept { return designType_; }
    void SetDesignType(TDesignType value) noexcept { designType_ = value; }

private:
    std::string langPackageName_;
    TDesignType designType_ = dtClient;
};

} // namespace vondrel
