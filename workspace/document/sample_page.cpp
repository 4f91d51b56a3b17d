#include "workspace/document/sample_page.h"

#include <unordered_set>
#include <vector>

#include "platform/cp932.h"
#include "platform/sjis.h"
#include "vocabulary/element_tables.h"
#include "vocabulary/fixed_texts.h"
#include "workspace/document/doc_types.h"

namespace pavik {

std::string ruleAnchorName(const TData2& rule) {
    const std::string& sel = rule.Selector;
    if (size_t blank = sel.find(' '); blank != std::string::npos)
        return rule.Name + "_" + sel.substr(blank + 1);
    if (size_t colon = sel.find(':'); colon != std::string::npos) return sel.substr(0, colon);
    return sel;
}

std::string previewAnchor(const RuleTreeNode* selected) {
    if (!selected) return {};
    switch (selected->Kind) {
        case RuleTreeKind::Rule: return ruleAnchorName(selected->Rule->Data);
        case RuleTreeKind::Group: return selected->Text;
        default: return {};
    }
}

std::string htmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

namespace {

struct Texts {
    std::string elementLabel = toCp932("エレメント ");
    std::string classLabel = toCp932("クラス ");
    std::string upArrow = toCp932("↑");
    std::string elementBand = toCp932("【//////////// エレメント ////////////】</div><br>");
    std::string elementClassBand =
        toCp932("【//////////// エレメント + クラス ////////////】</div><br>");
    std::string classBand = toCp932("【//////////// クラス ////////////】</div><br>");
};
const Texts& texts() {
    static const Texts t;
    return t;
}

// Elements that change how the rest of a page is read, or act on the whole page: a sample
// never is one of them.
constexpr std::string_view kPageElements[] = {
    "html", "head", "body", "title", "base", "link", "meta", "style", "script", "noscript", "template",
    "xmp", "iframe", "noembed", "noframes", "plaintext", "frameset", "frame", "svg", "math", "image"};

// The element a browser makes of a rule's name: its leading plain name (an ASCII letter,
// then ASCII letters, digits or "-") when a blank or the end of the name follows, unless it
// is one of kPageElements; else the generic template's element. So the page holds no
// markup of the sheet's making.
std::string_view sampleTag(std::string_view name) {
    auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    size_t n = 0;
    while (n < name.size() && (letter(name[n]) || (n > 0 && ((name[n] >= '0' && name[n] <= '9') || name[n] == '-')))) ++n;
    const std::string_view tag = name.substr(0, n);
    if (tag.empty() || (n < name.size() && name[n] != ' ')) return TagNames[0];
    for (std::string_view page : kPageElements)
        if (sjis::equalsIgnoreCase(tag, page)) return TagNames[0];
    return tag;
}

// The sample of one element. The template is that of the TagNames entry equal to `entry`
// (exact, case-sensitive), the generic one when there is none; the tag is sampleTag's.
std::string elementSample(std::string_view entry, std::string_view tag, std::string_view cls,
                   std::string_view label, size_t nodeIndex) {
    const std::string t(sampleTag(tag));
    const std::string open = "<" + t + std::string(cls);
    const std::string close = "</" + t + ">";
    const std::string lbl(label);
    int index = tagIndex(entry);
    std::string_view e = index < 0 ? std::string_view() : TagNames[index];
    if (e == "SPAN") return open + ">" + lbl + close + "<br>";
    if (e == "BODY") return {};
    if (e == "HR") return open + ">" + texts().upArrow + lbl;
    if (e == "A")
        return open + " href=\"#" + std::to_string(nodeIndex) + "\">" + lbl + "</a><br>";
    if (e == "INPUT" || e == "BUTTON") return open + ">" + lbl + close + "<br><br>";
    if (e == "SELECT") return open + "><option value=\"#\" selected>" + lbl + close;
    if (e == "TABLE") return open + "><tr><td>" + lbl + "</td></tr>" + close;
    if (e == "TD" || e == "TH") return "<table><tr>" + open + ">" + lbl + close + "</tr></table>";
    if (e == "TR" || e == "TBODY" || e == "THEAD" || e == "TFOOT")
        return "<table>" + open + "><td>" + lbl + "</td>" + close + "</table>";
    if (e == "CAPTION")
        return "<table>" + open + ">" + lbl + close + "<tr><td></td></tr></table>";
    if (e == "IMG") return "<br>" + open + ">" + lbl + "<br><br>";
    return open + ">" + lbl + close;
}

struct Kept {
    std::string anchor;
    std::string sample;
};

std::string anchorLine(std::string_view name) {
    return "<a name=\"" + htmlEscape(name) + "\"></a><br>";
}

}  // namespace

std::string previewHeadLines(const SamplePageOptions& options) {
    std::string out;
    if (std::string doctype = docTypeLine(options.DocType); !doctype.empty()) out += doctype + "\r\n";
    out += std::string(HtmlHeadOpen) + "\r\n";
    out += charsetDeclaration(options.Charset) + "\r\n";
    if (options.ApplyCss)
        out += "<link rel=\"stylesheet\" href=\"" + options.CssFileName + "\" type=\"text/css\">\r\n";
    return out;
}

std::string buildSamplePage(const RuleTree& tree, const SamplePageOptions& options,
                            ProgressSink* sink) {
    const Texts& tx = texts();
    std::string out = previewHeadLines(options);
    auto line = [&out](std::string_view s) {
        out += s;
        out += "\r\n";
    };

    line(HeadCloseBodyOpen);
    if (tree.size() > 2) line(std::string(SectionBanner) + tx.elementBand);

    if (sink) {
        sink->setProgress(0);
        sink->setStatus("プレビュー用HTML作成中");
    }
    std::vector<Kept> withClass;
    std::vector<const TData2*> classOnly;
    std::unordered_set<std::string> keys;
    ProgressSteps progress(sink, tree.size());
    for (size_t i = 0; i < tree.size(); ++i) {
        progress.step(i);
        if (tree[i].Kind != RuleTreeKind::Rule) continue;
        const TData2& r = tree[i].Rule->Data;
        if (r.Name.empty()) {
            classOnly.push_back(&r);
            continue;
        }
        size_t blank = r.Selector.find(' ');
        std::string child = blank == std::string::npos ? std::string() : r.Selector.substr(blank + 1);
        bool descendant = blank != std::string::npos && tagIndex(child) >= 0;
        std::string cls = r.CssClass.empty() ? std::string()
                                             : " class=\"" + htmlEscape(r.CssClass) + "\"";
        bool grouped = blank != std::string::npos || r.Selector.find(',') != std::string::npos;
        std::string key = grouped ? r.Selector : r.Name + cls;
        if (key == "BODY" || !keys.insert(key).second) continue;

        std::string label = r.CssClass.empty()
                                ? tx.elementLabel + htmlEscape(r.Selector) + " "
                                : tx.classLabel + htmlEscape(r.Name) + " . " + htmlEscape(r.CssClass) + " ";
        std::string s;
        if (descendant) {
            std::string inner = elementSample(child, child, "", label, i);
            if (r.Name != "BODY" && r.Name != "HR") s = elementSample(r.Name, r.Name, "", inner, i);
        } else {
            s = elementSample(r.Name, r.Name, cls, label, i);
        }
        s += "<br>";
        if (!r.CssClass.empty()) {
            withClass.push_back({ruleAnchorName(r), std::move(s)});
        } else {
            line(anchorLine(ruleAnchorName(r)));
            line(s);
        }
    }

    if (sink) {
        sink->setProgress(0);
        sink->setStatus("プレビュー用HTML作成中(Element)");
    }
    ProgressSteps progressElement(sink, withClass.size());
    for (size_t i = 0; i < withClass.size(); ++i) {
        progressElement.step(i);
        if (i == 0) line("<br>" + std::string(SectionBanner) + tx.elementClassBand);
        line(anchorLine(withClass[i].anchor));
        line(withClass[i].sample);
    }

    if (sink) {
        sink->setProgress(0);
        sink->setStatus("プレビュー用HTML作成中(Class)");
    }
    ProgressSteps progressClass(sink, classOnly.size());
    for (size_t i = 0; i < classOnly.size(); ++i) {
        progressClass.step(i);
        if (i == 0) line("<br>" + std::string(SectionBanner) + tx.classBand);
        const TData2& r = *classOnly[i];
        std::string cls = htmlEscape(r.CssClass);
        line(anchorLine(ruleAnchorName(r)));
        line("<DIV class=\"" + cls + "\">" + tx.classLabel + cls + "</DIV><br>");
    }
    line(BodyHtmlClose);
    if (sink) sink->setProgress(0);
    return out;
}

}  // namespace pavik
