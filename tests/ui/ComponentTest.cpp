#include "support/UiFixture.h"

#include "ui/Button.h"
#include "ui/Errors.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Panel.h"

#include <string>
#include <vector>

namespace vondrel::test {
namespace {

// Records the order in which components go.
class TTracked : public TComponent {
public:
    TTracked(TComponent* owner, std::string tag, std::vector<std::string>& log)
        : TComponent(owner), tag_(std::move(tag)), log_(log) {}

protected:
    void BeforeDestruction() override {
        log_.push_back(tag_);
        TComponent::BeforeDestruction();
    }

private:
    std::string tag_;
    std::vector<std::string>& log_;
};

TEST(Component, OwnsItsComponentsInCreationOrderAndFreesThemLastFirst) {
    std::vector<std::string> freed;
    TOwnedPtr<TComponent> owner(new TTracked(nullptr, "owner", freed));
    auto* a = new TTracked(owner.get(), "a", freed);
    auto* b = new TTracked(owner.get(), "b", freed);
    auto* c = new TTracked(a, "c", freed);
    ASSERT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->Components(0), a);
    EXPECT_EQ(owner->Components(1), b);
    EXPECT_EQ(b->ComponentIndex(), 1);
    EXPECT_EQ(c->Owner(), a);
    owner.reset();
    EXPECT_EQ(freed, (std::vector<std::string>{"owner", "b", "a", "c"}));
}

TEST(Component, FreeingAComponentRemovesItFromItsOwner) {
    TOwnedPtr<TComponent> owner(new TComponent(nullptr));
    auto* a = new TComponent(owner.get());
    auto* b = new TComponent(owner.get());
    a->Free();
    ASSERT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(owner->Components(0), b);
}

TEST(Component, FindsOwnedComponentsByNameIgnoringCase) {
    TOwnedPtr<TComponent> owner(new TComponent(nullptr));
    auto* edit = new TComponent(owner.get());
    edit->SetName("edCode");
    auto* inner = new TComponent(edit);
    inner->SetName("Inner");
    EXPECT_EQ(owner->FindComponent("EDCODE"), edit);
    EXPECT_EQ(owner->FindComponent("edcode"), edit);
    EXPECT_EQ(owner->FindComponent("Inner"), nullptr) << "only directly owned components";
    EXPECT_EQ(owner->FindComponent(""), nullptr);
}

TEST(Component, RefusesInvalidAndDuplicateNames) {
    TOwnedPtr<TComponent> owner(new TComponent(nullptr));
    auto* first = new TComponent(owner.get());
    first->SetName("btnOk");
    auto* second = new TComponent(owner.get());
    EXPECT_THROW(second->SetName("BTNOK"), EComponentError);
    EXPECT_THROW(second->SetName("9lives"), EComponentError);
    EXPECT_THROW(second->SetName("a b"), EComponentError);
    EXPECT_EQ(second->Name(), "");
    second->SetName("btnCancel");
    EXPECT_EQ(second->Name(), "btnCancel");
    // A component that moves to another owner brings its name there.
    TOwnedPtr<TComponent> other(new TComponent(nullptr));
    auto* clash = new TComponent(other.get());
    clash->SetName("btnOk");
    EXPECT_THROW(owner->InsertComponent(clash), EComponentError);
    EXPECT_EQ(clash->Owner(), other.get());
}

TEST(Component, ReferencesBecomeEmptyWhenTheComponentIsFreed) {
    TOwnedPtr<TComponent> owner(new TComponent(nullptr));
    auto* target = new TComponent(owner.get());
    TComponentRef<TComponent> ref(target);
    EXPECT_EQ(ref.Get(), target);
    target->Free();
    EXPECT_FALSE(ref);
    EXPECT_EQ(ref.Get(), nullptr);
}

TEST_F(UiTest, AFormLoadsItsComponentsUntilItIsBuilt) {
    struct TfrmLoad : TForm {
        explicit TfrmLoad(TComponent* owner) : TForm(owner) {
            label = new TLabel(this);
            loadingWhileBuilt = label->Loading();
        }
        TLabel* label;
        bool loadingWhileBuilt = false;
    };
    TOwnedPtr<TfrmLoad> form(Create<TfrmLoad>(nullptr));
    EXPECT_TRUE(form->loadingWhileBuilt);
    EXPECT_FALSE(form->label->Loading());
    EXPECT_FALSE(form->Loading());
    auto* later = new TLabel(form.get());
    EXPECT_FALSE(later->Loading());
}

TEST_F(UiTest, AWindowedControlFreesTheControlsOnItEvenWhenOthersOwnThem) {
    TOwnedPtr<TForm> form(Create<TForm>(nullptr));
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    auto* button = new TButton(form.get());
    button->SetParent(panel);
    TComponentRef<TButton> ref(button);
    panel->Free();
    EXPECT_FALSE(ref);
    EXPECT_EQ(form->ComponentCount(), 0);
}

} // namespace
} // namespace vondrel::test
