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
         {"", "[", "{}", "[\"Q\"]", "[\"A\",[[0,1]],[[\"E\"]]]", "[\"X\",\"zz\"]", "[\"I\"]"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(VariantFromJson(text), Exception);
    }
}

} // namespace
} // namespace vondrel
