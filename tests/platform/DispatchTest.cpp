#include <vondrel/Dispatch.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace vondrel {
namespace {

/// A small late-bound object with the kinds of members the module calls on the shell's
/// and the server's objects.
class TTestObject : public TAutoObject {
public:
    explicit TTestObject(bool* destroyed = nullptr) : TAutoObject("TTestObject"), destroyed_(destroyed) {
        RegisterMethod("Increment", [](std::span<Variant> args) {
            args[0] = args[0].AsInteger() + 1;
            return Variant("done");
        });
        RegisterMethod("Swap", [](std::span<Variant> args) {
            std::swap(args[0], args[1]);
            return Variant();
        });
        RegisterMethod("Sum", [](std::span<Variant> args) {
            double sum = 0;
            for (const Variant& a : args)
                sum += a.AsDouble();
            return Variant(sum);
        });
        RegisterMethod("ArgCount",
                       [](std::span<Variant> args) { return Variant(static_cast<int>(args.size())); });
        RegisterMethod("FillArray", [](std::span<Variant> args) {
            args[0] = VarArrayOf({"E", VarArrayOf({1, 2})});
            return Variant();
        });
        RegisterMethod("AppendToArray", [this](std::span<Variant> args) {
            kept_ = args[0];
            args[0].Redim(args[0].HighBound(1) + 1);
            args[0][args[0].HighBound(1)] = "appended";
            return Variant();
        });
        RegisterMethod("Fail", [](std::span<Variant> args) -> Variant {
            if (!args.empty())
                args[0] = "touched";
            throw Exception("The ledger is closed");
        });
        RegisterMethod("CallInner",
                       [this](std::span<Variant> args) { return inner_.Call(args[0].AsString()); });
        RegisterMethod("DropHolder", [this](std::span<Variant>) {
            *holder_ = Variant();
            return Variant(destroyed_ && *destroyed_);
        });
        RegisterProperty(
            "Name", [this] { return Variant(name_); }, [this](const Variant& v) { name_ = v.AsString(); });
        RegisterProperty("Version", [] { return Variant(7); });
    }
    ~TTestObject() override {
        if (destroyed_)
            *destroyed_ = true;
    }

    Variant kept_;
    Variant inner_;
    Variant* holder_ = nullptr;

private:
    bool* destroyed_;
    std::string name_ = "initial";
};

Variant MakeObject() {
    return Variant(DispatchPtr(std::make_shared<TTestObject>()));
}

TEST(LateBinding, VariantLvaluesArePassedByReference) {
    const Variant object = MakeObject();
    Variant counter = 41;
    EXPECT_EQ(object.Call("Increment", counter).AsString(), "done");
    EXPECT_EQ(counter.AsInteger(), 42);

    Variant left = "L", right = VarArrayOf({1});
    object.Call("Swap", left, right);
    EXPECT_TRUE(VarIsArray(left));
    EXPECT_EQ(right.AsString(), "L");

    Variant out;
    object.Call("FillArray", out);
    EXPECT_EQ(out[1][1].AsInteger(), 2);
}

TEST(LateBinding, OtherArgumentsArePassedByValue) {
    const Variant object = MakeObject();
    const Variant fixed = 5;
    object.Call("Increment", fixed);
    EXPECT_EQ(fixed.AsInteger(), 5);

    int plain = 5;
    object.Call("Increment", plain);
    EXPECT_EQ(plain, 5);

    Variant moved = 5;
    object.Call("Increment", std::move(moved));
    EXPECT_EQ(moved.AsInteger(), 5);

    EXPECT_EQ(object.Call("Sum", 1, 2.5, "3", Variant(true)).AsDouble(), 5.5);
    EXPECT_EQ(object.Call("ArgCount").AsInteger(), 0);
}

TEST(LateBinding, ArraysReachTheCalleeAsCopies) {
    auto impl = std::make_shared<TTestObject>();
    const Variant object = Variant(DispatchPtr(impl));
    Variant list = VarArrayOf({"a"});
    object.Call("AppendToArray", list);
    EXPECT_EQ(VarArrayHighBound(list, 1), 1);
    EXPECT_EQ(list[1].AsString(), "appended");
    // What the callee kept is its own copy, untouched by later changes on either side.
    EXPECT_EQ(VarArrayHighBound(impl->kept_, 1), 0);
    list[0] = "changed";
    EXPECT_EQ(impl->kept_[0].AsString(), "a");
}

TEST(LateBinding, NamesIgnoreCaseAndPropertiesReadAndWrite) {
    const Variant object = MakeObject();
    Variant counter = 1;
    object.Call("INCREMENT", counter);
    object.Call("increment", counter);
    EXPECT_EQ(counter.AsInteger(), 3);

    EXPECT_EQ(object.Get("name").AsString(), "initial");
    object.Set("NAME", "changed");
    EXPECT_EQ(object.Get("Name").AsString(), "changed");
    EXPECT_EQ(object.Get("Version").AsInteger(), 7);
    // Late binding does not tell a method from a property read.
    EXPECT_EQ(object.Call("Version").AsInteger(), 7);
    EXPECT_EQ(object.Get("Sum", 1, 2).AsInteger(), 3);
}

TEST(LateBinding, UnknownNamesRaiseOleErrors) {
    const Variant object = MakeObject();
    struct Case {
        const char* name;
        std::function<void()> call;
    };
    const Case cases[] = {
        {"method", [&] { object.Call("NoSuchMethod"); }},
        {"property read", [&] { object.Get("NoSuchProperty"); }},
        {"write of a read-only property", [&] { object.Set("Version", 8); }},
        {"write of a method", [&] { object.Set("Sum", 8); }},
        {"empty name", [&] { object.Call(""); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.call();
            ADD_FAILURE() << "no exception";
        } catch (const EOleException& e) {
            ADD_FAILURE() << "reported as a failure of the object: " << e.what();
        } catch (const EOleError& e) {
            EXPECT_NE(std::string(e.what()).find("not supported"), std::string::npos) << e.what();
        }
    }
}

TEST(LateBinding, AFailingCallCarriesTheObjectsDescription) {
    const Variant object = MakeObject();
    try {
        object.Call("Fail");
        FAIL() << "no exception";
    } catch (const EOleException& e) {
        EXPECT_STREQ(e.what(), "The ledger is closed");
        EXPECT_EQ(e.Source(), "TTestObject");
    }
    // A failure is raised as it is through an object that calls another one.
    auto outer = std::make_shared<TTestObject>();
    outer->inner_ = MakeObject();
    const Variant relay = Variant(DispatchPtr(outer));
    try {
        relay.Call("CallInner", "Fail");
        FAIL() << "no exception";
    } catch (const EOleException& e) {
        EXPECT_STREQ(e.what(), "The ledger is closed");
    }
    // Any other exception inside the object becomes an EOleException with its text.
    try {
        object.Call("Increment", "not a number");
        FAIL() << "no exception";
    } catch (const EOleException& e) {
        EXPECT_STREQ(e.what(), "Could not convert variant of type (String) into type (Integer)");
        EXPECT_EQ(e.Source(), "TTestObject");
    }
}

TEST(LateBinding, CallsOnValuesThatAreNoObjectRaise) {
    const Variant values[] = {Variant(), Variant::Null(), Variant("x"), VarArrayOf({}),
                              Variant(DispatchPtr())};
    for (const Variant& value : values) {
        SCOPED_TRACE(VarTypeName(value.Type()));
        EXPECT_THROW(value.Call("Anything"), EVariantInvalidOpError);
        EXPECT_THROW(value.Set("Anything", 1), EVariantInvalidOpError);
    }
}

TEST(LateBinding, TheObjectLivesUntilItsCallReturns) {
    bool destroyed = false;
    auto impl = std::make_shared<TTestObject>(&destroyed);
    Variant holder = Variant(DispatchPtr(impl));
    impl->holder_ = &holder;
    impl.reset();
    // The call drops the only other reference while it runs.
    const Variant destroyedDuringCall = holder.Call("DropHolder");
    EXPECT_FALSE(destroyedDuringCall.AsBoolean());
    EXPECT_TRUE(destroyed);
    EXPECT_TRUE(VarIsEmpty(holder));
}

TEST(LateBinding, ObjectsCompareByIdentity) {
    const Variant a = MakeObject();
    const Variant b = MakeObject();
    const Variant sameAsA = a;
    EXPECT_TRUE(a == sameAsA);
    EXPECT_FALSE(a == b);
    EXPECT_FALSE(a == Variant());
    EXPECT_EQ(a.AsDispatch(), sameAsA.AsDispatch());
    EXPECT_EQ(Variant().AsDispatch(), nullptr);
}

} // namespace
} // namespace vondrel
