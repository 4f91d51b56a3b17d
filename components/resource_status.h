#pragma once
// A polling status pane that shows the free share of a resource as a bar or as text, with
// "name: n%" as its hint. Memory is measured; the system, user and GDI resource figures
// exist on no system this program runs on and read 0.
#include <QString>
#include <cstdint>
#include <memory>

#include "components/memory_status.h"
#include "components/pv_status.h"

namespace pavik {

enum TResourceType { rtSystem, rtUser, rtGDI, rtMemory };
enum TDisplayStyle { dsBar, dsText };

class TPvResourceStatus;

// The resource names used in the hint.
class TPvResourceStrings {
public:
    explicit TPvResourceStrings(TPvResourceStatus* owner = nullptr) : owner_(owner) {}
    TPvResourceStrings(const TPvResourceStrings&) = delete;
    TPvResourceStrings& operator=(const TPvResourceStrings&) = delete;

    QString System() const { return names_[rtSystem]; }
    void setSystem(const QString& v) { set(rtSystem, v); }
    QString User() const { return names_[rtUser]; }
    void setUser(const QString& v) { set(rtUser, v); }
    QString GDI() const { return names_[rtGDI]; }
    void setGDI(const QString& v) { set(rtGDI, v); }
    QString Memory() const { return names_[rtMemory]; }
    void setMemory(const QString& v) { set(rtMemory, v); }
    QString name(TResourceType type) const { return names_[type]; }
    // Copies the four names.
    void assign(const TPvResourceStrings& other);

private:
    void set(TResourceType type, const QString& v);

    TPvResourceStatus* owner_;
    QString names_[4] = {QStringLiteral("System"), QStringLiteral("User"), QStringLiteral("GDI"),
                         QStringLiteral("Memory")};
};

class TPvResourceStatus : public TPvPollingStatus {
    Q_OBJECT
public:
    explicit TPvResourceStatus(QWidget* parent = nullptr);

    TResourceType ResourceType() const { return resourceType_; }
    // Measures at once.
    void setResourceType(TResourceType v);
    TDisplayStyle DisplayStyle() const { return displayStyle_; }
    void setDisplayStyle(TDisplayStyle v);
    TBarStyle BarStyle() const { return barStyle_; }
    // Also switches ShowPercent off.
    void setBarStyle(TBarStyle v);
    TColor BackColor() const { return backColor_; }
    void setBackColor(TColor v);
    TColor BarColor() const { return barColor_; }
    void setBarColor(TColor v);
    TOrientation Orientation() const { return orientation_; }
    void setOrientation(TOrientation v);
    TSegmentRange NumSegments() const { return numSegments_; }
    void setNumSegments(TSegmentRange v);
    bool ShowPercent() const { return showPercent_; }
    void setShowPercent(bool v);
    TPvResourceStrings& ResourceStrings() { return strings_; }
    void setResourceStrings(const TPvResourceStrings& v) { strings_.assign(v); }

    // Free memory in KB at the last measurement (memory only; 0 for the other types).
    std::uint64_t freeAmount() const { return freeAmount_; }
    // Free percentage at the last measurement.
    int percentage() const { return percentage_; }

    void setMemorySource(std::shared_ptr<MemoryStatusSource> source) { memory_ = std::move(source); }
    // Measures, updates the hint and picture when the percentage changed, then fires
    // OnTimerExpired.
    void timerExpired() override;
    // Sets the hint from the current name and the last percentage.
    void rebuildHint();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    template <typename T>
    void store(T& field, T value);

    TResourceType resourceType_ = rtSystem;
    TDisplayStyle displayStyle_ = dsBar;
    TBarStyle barStyle_ = bsTraditional;
    TColor backColor_ = clBtnFace;
    TColor barColor_ = clHighlight;
    TOrientation orientation_ = orHorizontal;
    TSegmentRange numSegments_ = 15;
    bool showPercent_ = false;
    TPvResourceStrings strings_{this};
    std::uint64_t freeAmount_ = 0;
    int percentage_ = 0;
    std::shared_ptr<MemoryStatusSource> memory_;
};

// Digits grouped by thousands with ",".
QString FormatThousands(std::uint64_t value);

}  // namespace pavik
