// The base classes of the HTML viewer control. The document model reaches the viewer only
// through TMarkupViewerBase, whose abstract operations the viewer implements.
#pragma once

#include <functional>

#include "platform/rtl/Types.h"
#include "platform/ui/Events.h"
#include "platform/ui/controls/CustomControl.h"

struct TTablePartRec;

enum THtQuirksMode { qmDetect, qmStandards, qmQuirks };

// A script element of the document: its name, content type, source and text.
using TScriptEvent =
    std::function<void(TComponent* Sender, const String& Name, const String& ContentType, const String& Src,
                       const String& Script)>;

class TViewerBase : public TCustomControl {
 public:
  explicit TViewerBase(TComponent* AOwner);

  // The setters only store their value here; the viewer overrides those it needs.
  virtual void SetFirstEvent(TNotifyEvent Handler) { FirstEvent = std::move(Handler); }
  virtual void SetSecondEvent(TNotifyEvent Handler) { SecondEvent = std::move(Handler); }
  virtual void SetOnScript(TScriptEvent Handler) { ScriptEvent = std::move(Handler); }
  virtual void SetFourthEvent(TNotifyEvent Handler) { FourthEvent = std::move(Handler); }
  virtual void SetQuirksMode(THtQuirksMode Value) { QuirksMode_ = Value; }

  THtQuirksMode QuirksMode() const { return QuirksMode_; }
  const TScriptEvent& OnScript() const { return ScriptEvent; }

  bool UseQuirks = false;  // quirks mode in effect for the current document

 protected:
  TNotifyEvent FirstEvent;
  TNotifyEvent SecondEvent;
  TScriptEvent ScriptEvent;
  TNotifyEvent FourthEvent;

 private:
  THtQuirksMode QuirksMode_ = qmStandards;
};

class TMarkupViewerBase : public TViewerBase {
 public:
  using TViewerBase::TViewerBase;

  // A link or file reference made absolute.
  virtual void ResolveFileName(const String& Name, String& FullName) = 0;
  // Whether the focused form control or link gets a focus rectangle.
  virtual bool DrawsFocusRect() = 0;
  // The mouse moved over an HTML form control.
  virtual void HoverFormControl(TComponent* Control, TShiftState Shift, int X, int Y) = 0;
  // Layout progress.
  virtual void ReportProgress(int Percent) = 0;

  // The part record of the table being paged (not owned).
  TTablePartRec* TablePartRec = nullptr;
};
