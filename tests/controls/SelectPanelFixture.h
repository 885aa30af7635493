#pragma once

#include "support/UiFixture.h"

#include "controls/F2Button.h"
#include "controls/LookupRequest.h"
#include "controls/SelectPanel.h"

#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/MaskEdit.h"
#include "ui/UserSimulation.h"

#include <functional>
#include <string>
#include <vector>

namespace vondrel::test {

/// A job form with a currency panel and a field to leave it for. It answers lookup
/// requests as the framework does: it notes the part and, when told, fills the panel
/// with a canned result.
class TfrmSelect : public TForm {
public:
    explicit TfrmSelect(TComponent* owner) : TForm(owner) {
        ed01 = new TEdit(this);
        ed01->SetName("ed01");
        ed01->SetParent(this);
        ed01->SetBounds(10, 10, 100, 21);
        sp05 = new TSelectPanel(this);
        sp05->SetName("sp05");
        sp05->SetParent(this);
        sp05->SetLeft(10);
        sp05->SetTop(40);
        sp05->SetCaption("选择币种");
        if (styleAtLoad)
            sp05->SetStyle(*styleAtLoad);
        SetMessageHandler(WM_LOOKUPREQUEST, [this](TMessage& message) {
            TWinControl* part = LookupRequestControl(message);
            requests.push_back(part ? part->Name() : "?");
            if (TSelectPanel* panel = TSelectPanel::OwnerOfPart(part); panel && answer)
                panel->TakeLookupResult(panel->PartOf(part), answer(panel->PartOf(part)), false);
        });
    }

    /// The style a form being built gives its panel (null: none).
    static inline const TSelectStyle* styleAtLoad = nullptr;

    TEdit* ed01;
    TSelectPanel* sp05;
    std::vector<std::string> requests;
    std::function<Variant(TSelectPart)> answer;
};

class SelectPanelTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form.reset(Create<TfrmSelect>(nullptr));
        sp05 = form->sp05;
    }
    void TearDown() override {
        form.reset();
        UiTest::TearDown();
    }

    template <class T = TControl>
    T& Part(const std::string& name) {
        auto* part = dynamic_cast<T*>(User::Find(*form, "sp05." + name));
        EXPECT_NE(part, nullptr) << name;
        return *part;
    }
    std::vector<TSelectRow> Rows() const {
        std::vector<TSelectRow> rows;
        for (int i = 0; i < sp05->RowCount(); ++i)
            rows.push_back(sp05->Row(i));
        return rows;
    }
    std::vector<std::string> Codes() const {
        std::vector<std::string> codes;
        for (int i = 0; i < sp05->RowCount(); ++i)
            codes.push_back(sp05->Row(i).front());
        return codes;
    }

    TOwnedPtr<TfrmSelect> form;
    TSelectPanel* sp05 = nullptr;
};

} // namespace vondrel::test
