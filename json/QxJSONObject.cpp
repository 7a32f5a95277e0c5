#include "json/QxJSONValues.h"
#include "platform/rtl/Unicode.h"

namespace {

const TqxJSONobjectmethod* AsMember(const TqxJSONbase* child) {
  return static_cast<const TqxJSONobjectmethod*>(child);
}

void RequireMember(const std::unique_ptr<TqxJSONbase>& value) {
  if (value && !dynamic_cast<const TqxJSONobjectmethod*>(value.get()))
    throw EInvalidCast(S("Ungültige Typumwandlung"));
}

}  // namespace

TqxJSONbase* TqxJSONobject::FindMember(const TqxVariant& key) const {
  if (const String* name = std::get_if<String>(&key)) return MemberByName(*name);
  return TqxJSONcustomlist::FindMember(key);
}

TqxJSONbase* TqxJSONobject::EnumerateElement(int i, String& name) const {
  name = MemberNameAt(i);
  return MemberValueAt(i);
}

int TqxJSONobject::AddChild(std::unique_ptr<TqxJSONbase> value) {
  RequireMember(value);
  if (!value) return -1;
  return AddMember(std::unique_ptr<TqxJSONobjectmethod>(static_cast<TqxJSONobjectmethod*>(value.release())));
}

int TqxJSONobject::AddMember(std::unique_ptr<TqxJSONobjectmethod> member) {
  if (!member) return -1;
  // The index refers to the member's own name.
  const String& name = member->MemberName;
  const int position = TqxJSONcustomlist::AddChild(std::move(member));
  if (NameTree)
    NameTree->InsertReferenced(name, position);
  else if (UseHash && Items.size() > kScannedMembers)
    RebuildNameTree();
  return position;
}

// Deleting or replacing a member moves positions and may uncover a later member of the
// same name, so the name index is built anew.
void TqxJSONobject::DeleteChild(int i) {
  if (!InRange(i)) return;
  TqxJSONcustomlist::DeleteChild(i);
  RebuildNameTree();
}

void TqxJSONobject::ReplaceChildAt(int i, std::unique_ptr<TqxJSONbase> value) {
  RequireMember(value);
  if (!InRange(i)) return;
  TqxJSONcustomlist::ReplaceChildAt(i, std::move(value));
  RebuildNameTree();
}

void TqxJSONobject::RebuildNameTree() {
  if (!UseHash || Items.size() <= kScannedMembers) {
    NameTree.reset();
    return;
  }
  if (NameTree)
    NameTree->Clear();
  else
    NameTree = std::make_unique<TqxBalTree>();
  for (size_t k = 0; k < Items.size(); ++k)
    if (Items[k]) NameTree->InsertReferenced(AsMember(Items[k].get())->MemberName, static_cast<int32_t>(k));
}

int TqxJSONobject::IndexOfMemberName(const String& name) const {
  if (NameTree) return NameTree->Find(name);
  for (size_t k = 0; k < Items.size(); ++k)
    if (Items[k] && AsMember(Items[k].get())->MemberName == name) return static_cast<int>(k);
  return -1;
}

TqxJSONbase* TqxJSONobject::MemberByName(const String& name) const {
  const int i = IndexOfMemberName(name);
  return i < 0 ? nullptr : AsMember(Items[i].get())->MemberValue.get();
}

String TqxJSONobject::MemberNameAt(int i) const {
  const TqxJSONbase* child = ChildAt(i);
  return child ? AsMember(child)->MemberName : String();
}

TqxJSONbase* TqxJSONobject::MemberValueAt(int i) const {
  const TqxJSONbase* child = ChildAt(i);
  if (!child || AsMember(child)->MemberName.empty()) return nullptr;
  return MemberByName(AsMember(child)->MemberName);
}
