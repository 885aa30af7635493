#include "VariantJson.h"

#include <vondrel/Dispatch.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vondrel {
namespace {

TEST(VariantJson, RoundTripsEveryKindExactly) {
    Variant grid = VarArrayCreate({{1, 2}, {-1, 0}});
    grid.At({1, -1}) = u"左上";
    grid.At({2, 0}) = Variant::Null();
    const Variant values[] = {
        Variant(),
        Variant::Null(),
        Variant(true),
        Variant(-7),
        Variant(9007199254740993LL),
        Variant(0.1),
        Variant(-1e-300),
        Variant::FromDate(46387.770833333336),
        Variant("汇兑损益结转"),
        Variant(std::string("\xB9\xFA\xFF", 3)), // bytes that are not UTF-8
        Variant(u"期末"),
        Variant(std::u16string(u"a\xD800z")), // an unpaired surrogate
        VarArrayOf({}),
        VarArrayOf({std::string(1, '\x04'), "USD", VarArrayOf({1, u"x"})}),
        grid,
    };
    for (const Variant& value : values) {
        SCOPED_TRACE(VariantToJson(value));
        const Variant back = VariantFromJson(VariantToJson(value));
        EXPECT_EQ(back.Type(), value.Type());
        EXPECT_EQ(back, value);
        if (value.IsArray()) {
            for (int d = 1; d <= value.DimCount(); ++d) {
                EXPECT_EQ(back.LowBound(d), value.LowBound(d));
                EXPECT_EQ(back.HighBound(d), value.HighBound(d));
            }
        }
    }
}

TEST(VariantJson, KeepsNonFiniteNumbers) {
    const Variant back = VariantFromJson(VariantToJson(Variant(std::numeric_limits<double>::infinity())));
    EXPECT_TRUE(std::isinf(back.AsDouble()));
    EXPECT_TRUE(std::isnan(VariantFromJson(VariantToJson(Variant(std::nan("")))).AsDouble()));
}

TEST(VariantJson, RefusesObjectsAndMalformedTexts) {
    class Object : public TAutoObject {
    public:
        Object() : TAutoObject("Object") {}
    };
    EXPECT_THROW(VariantToJson(Variant(std::static_pointer_cast<Dispatch>(std::make_shared<Object>()))),
                 Exception);
    for (const char* text :
         {"", "[", "{}", "[\"Q\"]", "[\"A\",[[0,1]],[[\"E\"]]]", "[\"X\",\"zz\"]", "[\"I\"]",
          // Numbers that do not fit their kind, and bounds whose count does not fit.
          "[\"I\",1e20]", "[\"I\",3000000000]", "[\"I\",1.5]", "[\"L\",1e30]", "[\"L\",18446744073709551615]",
          "[\"U\",[70000]]", "[\"A\",[[-2147483648,2147483647]],[]]", "[\"A\",[[0,1e10]],[]]"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(VariantFromJson(text), Exception);
    }
}

TEST(VariantJson, RefusesArraysNestedBeyondAnyOptionArray) {
    // Each level is one call deeper: tens of thousands of levels overflowed the stack.
    Variant deep = 1;
    for (int level = 0; level < 100; ++level) {
        Variant outer = VarArrayCreate({{0, 0}});
        outer[0] = std::move(deep);
        deep = std::move(outer);
    }
    EXPECT_THROW(VariantToJson(deep), Exception);
    std::string text = "[\"I\",1]";
    for (int level = 0; level < 100; ++level)
        text = "[\"A\",[[0,0]],[" + text + "]]";
    EXPECT_THROW(VariantFromJson(text), Exception);

    Variant options = VarArrayOf({VarArrayOf({VarArrayOf({VarArrayOf({"\x05", VarArrayOf({"A", "B"})})})})});
    EXPECT_EQ(VariantFromJson(VariantToJson(options)), options);
}

} // namespace
} // namespace vondrel
