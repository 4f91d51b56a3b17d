#pragma once
// Drop targets: a control that accepts files dragged onto it and hands them to its owner
// through events. TDropTarget follows one drag over one control (enter, moves, then leave or
// drop), chooses the drop effect from the keys held and the kinds of drop it allows, and
// scrolls the control while the pointer rests near an edge the control can scroll.
// TDropFileTarget reads the dragged files. No Qt: the control and the drag's data are
// reached through DropSite and DropData; drop_target_qt.h adapts a widget and Qt's drag
// events to them.
//
// The drag's picture is the drag source's business here: the target shows none.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "components/label_geometry.h"

namespace pavik {

class Timer;
class TDropTarget;

// Drop effects; the first three have the values of Qt's drop actions.
using TDropEffect = std::uint32_t;
inline constexpr TDropEffect DropEffectNone = 0;
inline constexpr TDropEffect DropEffectCopy = 1;
inline constexpr TDropEffect DropEffectMove = 2;
inline constexpr TDropEffect DropEffectLink = 4;
inline constexpr TDropEffect DropEffectScroll = 0x80000000u;  // added to another effect

// The kinds of drop a target allows: a set of these bits, each the bit of its effect.
enum TDragType : std::uint8_t { dtCopy = 1, dtMove = 2, dtLink = 4 };
using TDragTypes = std::uint8_t;

// Keys held during a drag: a set of these bits.
enum TShiftKey : std::uint8_t { ssShift = 1, ssAlt = 2, ssCtrl = 4 };
using TShiftState = std::uint8_t;

// What a drag carries.
class DropData {
public:
    virtual ~DropData() = default;
    // Whether it offers a list of files at all.
    virtual bool hasFileList() const = 0;
    // The dragged files as local paths (empty when the list holds none, or cannot be read).
    virtual std::vector<std::string> fileList() const = 0;
    // What the program that offered the files asks for: copy for copied files, move for
    // cut ones; none when it says nothing.
    virtual TDropEffect preferredEffect() const { return DropEffectNone; }
};

// The control a target serves, as the target sees it.
class DropSite {
public:
    virtual ~DropSite() = default;
    // From now on the control's drags go to `target`; null: it accepts no drags any more.
    virtual void acceptDrops(TDropTarget* target) = 0;
    virtual TSize clientSize() const = 0;
    virtual int fontHeight() const = 0;
    virtual bool scrollsHorizontally() const = 0;
    virtual bool scrollsVertically() const = 0;
    // Scrolls one line: dx -1 left, 1 right; dy -1 up, 1 down.
    virtual void scrollLine(int dx, int dy) = 0;
};

// The file list of a "text/uri-list" (RFC 2483): the local files it names, in order. Lines
// end in CR LF or LF; "#" starts a comment line. Only "file:" addresses of this machine
// count (no host, "localhost", or this machine's name); their "%xx" escapes are decoded.
std::vector<std::string> localFilesFromUriList(std::string_view uriList, std::string_view hostName);
// This machine's name, for localFilesFromUriList.
std::string localHostName();

class TDropTarget {
public:
    // Sender, keys, point in the control's client coordinates, the effect (may be changed).
    using DropEvent = std::function<void(TDropTarget& sender, TShiftState shift, TPoint point, TDropEffect& effect)>;

    TDropTarget();
    virtual ~TDropTarget();
    TDropTarget(const TDropTarget&) = delete;
    TDropTarget& operator=(const TDropTarget&) = delete;

    // Makes `site` the drop target. Nothing when it already is; an earlier site is let go
    // first. A null site only lets go.
    void Register(DropSite* site);
    void Unregister();
    bool Registered() const { return registered_; }

    TDragTypes Dragtypes = 0;
    // Read the dragged data already when the drag enters (else only at the drop).
    bool GetDataOnEnter = false;
    DropEvent OnEnter, OnDragOver, OnDrop;
    // When set, decides the effect instead of the keys (and no scroll bit is added).
    DropEvent OnGetDropEffect;
    std::function<void(TDropTarget& sender)> OnLeave;

    // The drag as the platform reports it; each gives the effect to report back. `data`
    // lives until the drag leaves or drops.
    TDropEffect DragEnter(const DropData* data, TShiftState shift, TPoint point, TDropEffect offered);
    TDropEffect DragOver(TShiftState shift, TPoint point, TDropEffect offered);
    void DragLeave();
    TDropEffect Drop(TShiftState shift, TPoint point, TDropEffect offered);

    // Whether the control is being scrolled (the pointer rests within the margin of an edge
    // it can scroll); each tick of the 100 ms timer scrolls one line.
    bool Scrolling() const;

    // What the clipboard's content asks to be done with it (drop_target_qt.h reads the
    // system clipboard).
    virtual TDropEffect ReadClipboardFiles(const DropData& clipboard);

protected:
    virtual void NotifyEnter(TShiftState shift, TPoint point, TDropEffect& effect);
    virtual void NotifyDragOver(TShiftState shift, TPoint point, TDropEffect& effect);
    virtual void NotifyDrop(TShiftState shift, TPoint point, TDropEffect& effect);
    virtual void NotifyLeave();
    // Reads the drag's data; false when it gives nothing usable.
    virtual bool ReadDropData() = 0;
    virtual void ResetDropData() = 0;
    virtual bool HasAcceptedFormat() = 0;
    virtual TDropEffect ChooseDropEffect(TShiftState shift, TPoint point, TDropEffect offered);

    // The drag in progress (null between drags and after a refused enter).
    const DropData* data() const { return data_; }

private:
    void scrollTick();

    const DropData* data_ = nullptr;
    DropSite* site_ = nullptr;
    bool registered_ = false;
    TPoint last_;
    int margin_ = 0;
    bool scrollH_ = false;
    bool scrollV_ = false;
    std::unique_ptr<Timer> scrollTimer_;
};

class TDropFileTarget : public TDropTarget {
public:
    // Full paths of the dragged files; filled by ReadDropData (on entering with
    // GetDataOnEnter, else at the drop), read by the owner in OnEnter and OnDrop.
    std::vector<std::string> DroppedFiles;

    // When the clipboard holds a file list: DroppedFiles becomes its files and, when there
    // is one at least, the effect is what the clipboard asks for, copy when it says nothing.
    // None otherwise (DroppedFiles is kept when the clipboard holds no file list).
    TDropEffect ReadClipboardFiles(const DropData& clipboard) override;

protected:
    bool ReadDropData() override;
    void ResetDropData() override;
    bool HasAcceptedFormat() override;
};

}  // namespace pavik
