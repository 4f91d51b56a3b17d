#pragma once
// Where long document operations report their progress and status text.
#include <string_view>

namespace pavik {

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    // Percent done, 0..100. Reset to 0 when an operation ends.
    virtual void setProgress(int percent) = 0;
    // Status text for the left status pane (UTF-8).
    virtual void setStatus(std::string_view text) = 0;
};

// Reports "the smallest integer not below i / count * 100" for step i, passing a value on
// only when it changes, so that a large document does not flood the sink.
class ProgressSteps {
public:
    ProgressSteps(ProgressSink* sink, size_t count) : sink_(sink), count_(count) {}
    void step(size_t i) {
        if (!sink_ || count_ == 0) return;
        int p = static_cast<int>((i * 100 + count_ - 1) / count_);
        if (p != last_) {
            last_ = p;
            sink_->setProgress(p);
        }
    }

private:
    ProgressSink* sink_;
    size_t count_;
    int last_ = 0;
};

}  // namespace pavik
