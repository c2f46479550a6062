// The ring every model object lives in: order, lookup by name, unlinking and lifetime.
#include "Components/Kivlink/model/NamedRing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

int g_destroyed = 0;

class Node : public NamedRing<Node> {
public:
    explicit Node(const wchar_t* name) : m_name(name) {}
    ~Node() override { ++g_destroyed; }
    const CKivString& GetName() const override { return m_name; }

private:
    CKivString m_name;
};

std::vector<std::wstring> Names(Node* head)
{
    std::vector<std::wstring> names;
    if (!head)
        return names;
    Node* node = head;
    do {
        names.push_back(node->GetName().c_str());
        node = node->Next();
    } while (node != head);
    return names;
}

}  // namespace

TEST(NamedRing, KeepsAppendOrderAndFindsTheFirstMatchIgnoringOnlyAsciiCase)
{
    Node* head = nullptr;
    Node a(L"Images"), b(L"IMAGES"), c(L"\u00e9t\u00e9"), d(L"Music");
    for (Node* node : {&a, &b, &c, &d})
        NamedRing<Node>::Append(head, node);
    EXPECT_EQ(head, &a);
    EXPECT_EQ(Names(head), (std::vector<std::wstring>{L"Images", L"IMAGES", L"\u00e9t\u00e9", L"Music"}));
    EXPECT_EQ(NamedRing<Node>::Find(head, L"images"), &a);
    EXPECT_EQ(NamedRing<Node>::Find(head, L"mUSIC"), &d);
    // Only A to Z are folded.
    EXPECT_EQ(NamedRing<Node>::Find(head, L"\u00e9t\u00e9"), &c);
    EXPECT_EQ(NamedRing<Node>::Find(head, L"\u00c9T\u00c9"), nullptr);
    EXPECT_EQ(NamedRing<Node>::Find(head, L"Image"), nullptr);
    EXPECT_EQ(NamedRing<Node>::Find(nullptr, L"Images"), nullptr);

    b.Unlink();
    EXPECT_FALSE(b.IsMember());
    EXPECT_EQ(b.Next(), &b);
    EXPECT_EQ(Names(head), (std::vector<std::wstring>{L"Images", L"\u00e9t\u00e9", L"Music"}));
    NamedRing<Node>::UnlinkAll(head);
    EXPECT_EQ(head, nullptr);
    for (Node* node : {&a, &c, &d}) {
        EXPECT_FALSE(node->IsMember());
        EXPECT_EQ(node->Next(), node);
    }
}

TEST(NamedRing, TheLastReferenceDeletesAnObjectEvenAfterItsRingWasDropped)
{
    g_destroyed = 0;
    Node* head = nullptr;
    auto* kept = new Node(L"kept");
    auto* dropped = new Node(L"dropped");
    kept->AddRef();
    dropped->AddRef();
    NamedRing<Node>::Append(head, kept);
    NamedRing<Node>::Append(head, dropped);
    kept->AddRef();  // someone else still holds it

    NamedRing<Node>::UnlinkAll(head);
    kept->Release();
    dropped->Release();
    EXPECT_EQ(g_destroyed, 1);
    EXPECT_EQ(kept->References(), 1);
    EXPECT_EQ(kept->GetName().c_str(), std::wstring(L"kept"));
    kept->Release();
    EXPECT_EQ(g_destroyed, 2);
}
