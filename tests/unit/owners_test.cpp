#include "base/interface_reference.h"
#include "base/unique_resource.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace haloquill {
namespace {

// The handles the owners under test closed, in order.
std::vector<int>& Closed() {
    static std::vector<int> handles;
    return handles;
}

struct CountingTraits {
    using Handle = int;
    static Handle Invalid() { return -1; }
    static void Close(Handle handle) { Closed().push_back(handle); }
};
using Owner = UniqueResource<CountingTraits>;

TEST(UniqueResource, EachHandleIsClosedOnceByWhoeverOwnsItLast) {
    Closed().clear();
    {
        Owner first(3);
        Owner second(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_EQ(second.Get(), 3);
        Owner third(5);
        third = std::move(second); // 5 is closed, 3 moves on
        EXPECT_EQ(Closed(), std::vector<int>{5});
        EXPECT_EQ(third.Get(), 3);
        *third.Receive() = 8; // 3 is closed before a call gives a new one
        Owner given(9);
        EXPECT_EQ(given.Release(), 9); // given up: never closed here
    }
    EXPECT_EQ(Closed(), (std::vector<int>{5, 3, 8}));
}

struct CountedInterface {
    int references = 1;
    void Release() { --references; }
};

TEST(InterfaceReference, EveryReferenceTakenIsGivenBackOnce) {
    CountedInterface a;
    CountedInterface b;
    {
        InterfaceReference<CountedInterface> adopted(&a);
        InterfaceReference<CountedInterface> received;
        EXPECT_FALSE(received);
        *received.Receive() = &b;
        EXPECT_EQ(received->references, 1);
        *adopted.Receive() = &b; // a's reference is given back first
        ++b.references;
        EXPECT_EQ(a.references, 0);
    }
    EXPECT_EQ(b.references, 0);
}

} // namespace
} // namespace haloquill
