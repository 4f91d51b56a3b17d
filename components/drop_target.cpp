#include "components/drop_target.h"

#include <unistd.h>

#include <array>
#include <cstdlib>
#include <optional>

#include "platform/int_text.h"
#include "platform/timer.h"

namespace pavik {
namespace {

constexpr int ScrollInterval = 100;

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// "%xx" escapes decoded; nothing for a broken escape or an escaped NUL.
std::optional<std::string> percentDecoded(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') {
            out.push_back(s[i]);
            continue;
        }
        if (i + 2 >= s.size()) return std::nullopt;
        const int hi = hexDigit(s[i + 1]), lo = hexDigit(s[i + 2]);
        if (hi < 0 || lo < 0 || (hi == 0 && lo == 0)) return std::nullopt;
        out.push_back(static_cast<char>(hi * 16 + lo));
        i += 2;
    }
    return out;
}

// The local path of one address, or nothing.
std::optional<std::string> localPath(std::string_view uri, std::string_view hostName) {
    constexpr std::string_view Scheme = "file:";
    if (uri.size() < Scheme.size() || !equalsIgnoringCase(uri.substr(0, Scheme.size()), Scheme)) return std::nullopt;
    std::string_view rest = uri.substr(Scheme.size());
    rest = rest.substr(0, rest.find_first_of("?#"));
    if (rest.starts_with("//")) {
        rest.remove_prefix(2);
        const size_t slash = rest.find('/');
        if (slash == std::string_view::npos) return std::nullopt;
        const std::string_view host = rest.substr(0, slash);
        if (!host.empty() && !equalsIgnoringCase(host, "localhost") && !equalsIgnoringCase(host, hostName))
            return std::nullopt;
        rest.remove_prefix(slash);
    }
    if (!rest.starts_with('/')) return std::nullopt;
    return percentDecoded(rest);
}

}  // namespace

std::vector<std::string> localFilesFromUriList(std::string_view uriList, std::string_view hostName) {
    std::vector<std::string> files;
    while (!uriList.empty()) {
        const size_t end = uriList.find('\n');
        std::string_view line = uriList.substr(0, end);
        uriList.remove_prefix(end == std::string_view::npos ? uriList.size() : end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        if (std::optional<std::string> path = localPath(line, hostName)) files.push_back(std::move(*path));
    }
    return files;
}

std::string localHostName() {
    std::array<char, 256> name{};
    if (gethostname(name.data(), name.size() - 1) != 0) return {};
    return name.data();
}

// ---- TDropTarget -------------------------------------------------------------------------

TDropTarget::TDropTarget() : scrollTimer_(makeTimer()) {
    scrollTimer_->setInterval(ScrollInterval);
    scrollTimer_->setEnabled(false);
    scrollTimer_->OnTimer = [this] { scrollTick(); };
}

TDropTarget::~TDropTarget() {
    scrollTimer_->OnTimer = nullptr;
    Unregister();
}

void TDropTarget::Register(DropSite* site) {
    if (registered_ && site == site_) return;
    Unregister();
    if (!site) return;
    site_ = site;
    site_->acceptDrops(this);
    registered_ = true;
}

void TDropTarget::Unregister() {
    registered_ = false;
    if (site_) site_->acceptDrops(nullptr);
    site_ = nullptr;
}

TDropEffect TDropTarget::DragEnter(const DropData* data, TShiftState shift, TPoint point, TDropEffect offered) {
    ResetDropData();
    data_ = data;
    last_ = point;
    if (!data_ || !HasAcceptedFormat()) {
        data_ = nullptr;
        return DropEffectNone;
    }
    margin_ = site_ ? std::abs(site_->fontHeight()) : 0;
    scrollH_ = site_ && site_->scrollsHorizontally();
    scrollV_ = site_ && site_->scrollsVertically();
    if (GetDataOnEnter) ReadDropData();
    TDropEffect effect = ChooseDropEffect(shift, point, offered);
    NotifyEnter(shift, point, effect);
    return effect;
}

TDropEffect TDropTarget::DragOver(TShiftState shift, TPoint point, TDropEffect offered) {
    TDropEffect effect = DropEffectNone;
    if (data_) {
        effect = ChooseDropEffect(shift, point, offered);
        NotifyDragOver(shift, point, effect);
    }
    scrollTimer_->setEnabled(data_ && (scrollH_ || scrollV_) && (effect & DropEffectScroll));
    last_ = point;
    return effect;
}

void TDropTarget::DragLeave() {
    ResetDropData();
    scrollTimer_->setEnabled(false);
    data_ = nullptr;
    NotifyLeave();
}

TDropEffect TDropTarget::Drop(TShiftState shift, TPoint point, TDropEffect offered) {
    if (!data_) return DropEffectNone;
    scrollTimer_->setEnabled(false);
    TDropEffect effect = ChooseDropEffect(shift, point, offered);
    if (!GetDataOnEnter && !ReadDropData())
        effect = DropEffectNone;
    else
        NotifyDrop(shift, point, effect);
    ResetDropData();
    data_ = nullptr;
    return effect;
}

bool TDropTarget::Scrolling() const { return scrollTimer_->enabled(); }

TDropEffect TDropTarget::ReadClipboardFiles(const DropData& clipboard) { return clipboard.preferredEffect(); }

void TDropTarget::NotifyEnter(TShiftState shift, TPoint point, TDropEffect& effect) {
    if (OnEnter) OnEnter(*this, shift, point, effect);
}

void TDropTarget::NotifyDragOver(TShiftState shift, TPoint point, TDropEffect& effect) {
    if (OnDragOver) OnDragOver(*this, shift, point, effect);
}

void TDropTarget::NotifyDrop(TShiftState shift, TPoint point, TDropEffect& effect) {
    if (OnDrop) OnDrop(*this, shift, point, effect);
}

void TDropTarget::NotifyLeave() {
    if (OnLeave) OnLeave(*this);
}

TDropEffect TDropTarget::ChooseDropEffect(TShiftState shift, TPoint point, TDropEffect offered) {
    TDropEffect allowed = offered;
    for (const TDragType type : {dtCopy, dtMove, dtLink})
        if (!(Dragtypes & type)) allowed &= ~TDropEffect(type);
    if (OnGetDropEffect) {
        OnGetDropEffect(*this, shift, point, allowed);
        return allowed;
    }

    const bool withShift = shift & ssShift, withCtrl = shift & ssCtrl;
    TDropEffect effect = DropEffectNone;
    if (withShift && withCtrl && (allowed & DropEffectLink))
        effect = DropEffectLink;
    else if (withShift && !withCtrl && (allowed & DropEffectMove))
        effect = DropEffectMove;
    else
        for (const TDropEffect e : {DropEffectCopy, DropEffectMove, DropEffectLink})
            if (allowed & e) {
                effect = e;
                break;
            }

    const TSize client = site_ ? site_->clientSize() : TSize{};
    if (scrollH_ && (point.x < margin_ || point.x > client.width - margin_)) return effect | DropEffectScroll;
    if (scrollV_ && (point.y < margin_ || point.y > client.height - margin_)) effect |= DropEffectScroll;
    return effect;
}

void TDropTarget::scrollTick() {
    if (!site_) return;
    const TSize client = site_->clientSize();
    if (scrollV_) {
        if (last_.y < margin_) site_->scrollLine(0, -1);
        if (last_.y > client.height - margin_) site_->scrollLine(0, 1);
    }
    if (scrollH_) {
        if (last_.x < margin_) site_->scrollLine(-1, 0);
        if (last_.x > client.width - margin_) site_->scrollLine(1, 0);
    }
}

// ---- TDropFileTarget ---------------------------------------------------------------------

bool TDropFileTarget::ReadDropData() {
    ResetDropData();
    if (!data()) return false;
    DroppedFiles = data()->fileList();
    return !DroppedFiles.empty();
}

void TDropFileTarget::ResetDropData() { DroppedFiles.clear(); }

bool TDropFileTarget::HasAcceptedFormat() { return data() && data()->hasFileList(); }

TDropEffect TDropFileTarget::ReadClipboardFiles(const DropData& clipboard) {
    if (!clipboard.hasFileList()) return DropEffectNone;
    DroppedFiles = clipboard.fileList();
    if (DroppedFiles.empty()) return DropEffectNone;
    const TDropEffect effect = TDropTarget::ReadClipboardFiles(clipboard);
    return effect != DropEffectNone ? effect : DropEffectCopy;
}

}  // namespace pavik
