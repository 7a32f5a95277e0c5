// The JSON value model: every value derives from TqxJSONbase, which gives uniform access to
// the value as a variant, to children by position or by name, and to the kind. Lists and
// objects own their children; an object's children are member pairs, each owning its value.
#pragma once

#include <memory>
#include <vector>

#include "json/QxBalTree.h"
#include "json/QxVariant.h"
#include "platform/rtl/Types.h"

enum TqxJSONvalueKind { jsBase = 0, jsNumber, jsString, jsBoolean, jsNull, jsList, jsObject };

class TqxJSONbase {
 public:
  TqxJSONbase() = default;
  virtual ~TqxJSONbase() = default;
  TqxJSONbase(const TqxJSONbase&) = delete;
  TqxJSONbase& operator=(const TqxJSONbase&) = delete;

  virtual TqxVariant GetVariantValue() const;
  // Raises the variant conversion errors (EVariantTypeCastError) of the value's kind.
  virtual void SetVariantValue(const TqxVariant& v);
  // The child at i, or none outside 0 .. ChildCount() - 1.
  virtual TqxJSONbase* ChildAt(int i) const;
  // Frees child i and puts value in its place; outside the range the value is freed.
  virtual void ReplaceChildAt(int i, std::unique_ptr<TqxJSONbase> value);
  virtual int ChildCount() const;
  // A number selects a child by position; on an object a string selects a member's value.
  virtual TqxJSONbase* FindMember(const TqxVariant& key) const;
  virtual TqxJSONvalueKind ValueKind() const;
  String ValueKindName() const;
};

class TqxJSONnumber : public TqxJSONbase {
 public:
  long double NumberValue = 0;

  // The number as a double; beyond the double range it is an infinity.
  TqxVariant GetVariantValue() const override;
  void SetVariantValue(const TqxVariant& v) override;
  TqxJSONvalueKind ValueKind() const override { return jsNumber; }
};

class TqxJSONstring : public TqxJSONbase {
 public:
  String StringValue;

  TqxVariant GetVariantValue() const override { return StringValue; }
  void SetVariantValue(const TqxVariant& v) override;
  TqxJSONvalueKind ValueKind() const override { return jsString; }
};

class TqxJSONboolean : public TqxJSONbase {
 public:
  bool BooleanValue = false;

  TqxVariant GetVariantValue() const override { return BooleanValue; }
  void SetVariantValue(const TqxVariant& v) override;
  TqxJSONvalueKind ValueKind() const override { return jsBoolean; }
};

class TqxJSONnull : public TqxJSONbase {
 public:
  TqxJSONvalueKind ValueKind() const override { return jsNull; }
};

// A member of an object: its name and its (owned) value.
class TqxJSONobjectmethod : public TqxJSONbase {
 public:
  std::unique_ptr<TqxJSONbase> MemberValue;
  String MemberName;
};

// The common base of lists and objects: an ordered list of owned children.
class TqxJSONcustomlist : public TqxJSONbase {
 public:
  ~TqxJSONcustomlist() override;

  TqxJSONbase* ChildAt(int i) const override;
  void ReplaceChildAt(int i, std::unique_ptr<TqxJSONbase> value) override;
  int ChildCount() const override;
  TqxJSONbase* FindMember(const TqxVariant& key) const override;

  // The value at i and its name: for a list the position as decimal text.
  virtual TqxJSONbase* EnumerateElement(int i, String& name) const;
  // Appends the value and returns its position; no value gives -1.
  virtual int AddChild(std::unique_ptr<TqxJSONbase> value);
  // Frees child i and moves the last child into its place (order not kept).
  virtual void DeleteChild(int i);
  // The position of that very value, -1 when it is no child.
  int IndexOfChild(const TqxJSONbase* value) const;

  // Typed access to the value at i (for an object the member value). A missing value gives
  // 0, empty or false; a value of another kind raises EInvalidCast.
  // IntegerAt truncates towards zero; a number outside the integer range raises EConvertError.
  int IntegerAt(int i) const;
  String StringAt(int i) const;
  String WideStringAt(int i) const;
  double DoubleAt(int i) const;
  bool BooleanAt(int i) const;

 protected:
  // The value the typed accessors read at position i.
  virtual TqxJSONbase* ValueAt(int i) const { return ChildAt(i); }
  bool InRange(int i) const { return i >= 0 && static_cast<size_t>(i) < Items.size(); }

  std::vector<std::unique_ptr<TqxJSONbase>> Items;
};

class TqxJSONlist : public TqxJSONcustomlist {
 public:
  TqxJSONvalueKind ValueKind() const override { return jsList; }
};

// An object: member pairs in document order. With UseHash, the names of an object of more
// than kScannedMembers members are looked up through NameTree, which always matches the
// members (the first member of a name answers); it refers to the members' own names, so a
// member's name must not change while it is in an object. A smaller object (most objects of
// real documents) is searched member by member, with the same answer, and holds no tree.
class TqxJSONobject : public TqxJSONcustomlist {
 public:
  explicit TqxJSONobject(bool useHash) : UseHash(useHash) {}

  TqxJSONvalueKind ValueKind() const override { return jsObject; }
  TqxJSONbase* FindMember(const TqxVariant& key) const override;
  TqxJSONbase* EnumerateElement(int i, String& name) const override;
  // Children of an object must be member pairs (TqxJSONobjectmethod); any other value
  // raises EInvalidCast.
  int AddChild(std::unique_ptr<TqxJSONbase> value) override;
  // AddChild for a value known to be a member pair.
  int AddMember(std::unique_ptr<TqxJSONobjectmethod> member);
  void DeleteChild(int i) override;
  void ReplaceChildAt(int i, std::unique_ptr<TqxJSONbase> value) override;

  int IndexOfMemberName(const String& name) const;
  TqxJSONbase* MemberByName(const String& name) const;
  // Empty outside the range.
  String MemberNameAt(int i) const;
  // The value of the first member named like member i; none when that name is empty.
  TqxJSONbase* MemberValueAt(int i) const;

  bool GetUseHash() const { return UseHash; }

  // Up to this many members, names are found by comparing them in order.
  static constexpr size_t kScannedMembers = 8;

 protected:
  TqxJSONbase* ValueAt(int i) const override { return MemberValueAt(i); }

 private:
  void RebuildNameTree();

  std::unique_ptr<TqxBalTree> NameTree;  // none while the object is searched member by member
  const bool UseHash;
};
