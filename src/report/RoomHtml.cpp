#include "RoomPage.h"

#include "RoomWords.h"

namespace {

// Each state's class, colour and sign: the colour is never alone, the words and the
// sign say the same for a reader who does not see it or prints in black.
struct StateLook {
    const char* cssClass;
    const char* sign;      // an HTML character reference
};

StateLook LookOf(PcState state)
{
    switch (state) {
    case PcState::Failed: return {"echec", "&#10006;"};
    case PcState::Unreadable: return {"illisible", "?"};
    case PcState::RunAgain: return {"relancer", "&#8635;"};
    case PcState::Reinstall: return {"reinstaller", "&#9888;"};
    case PcState::NeedsUpdate: return {"amettre", "&#8593;"};
    case PcState::UpToDate: return {"ajour", "&#10004;"};
    case PcState::NotSeen: return {"absent", "&#8211;"};
    }
    return {"", ""};
}

const char kStyle[] =
    "body{font-family:Segoe UI,Arial,sans-serif;margin:1.5em;color:#1a1a1a;background:#fff}"
    "h1{font-size:1.4em;margin:0 0 .2em}"
    ".meta{color:#555;margin:0 0 1em}"
    ".counts{display:flex;flex-wrap:wrap;gap:.5em;list-style:none;padding:0;margin:0 0 1.2em}"
    ".counts li{border:1px solid #ccc;border-radius:6px;padding:.4em .8em}"
    ".counts b{font-size:1.3em;margin-left:.4em}"
    "table{border-collapse:collapse;width:100%}"
    "th,td{text-align:left;vertical-align:top;padding:.4em .6em;border-bottom:1px solid #ddd}"
    "th{background:#f2f2f2}"
    "td ul{margin:0;padding-left:1.1em}"
    "td:first-child{white-space:nowrap}"
    ".etat{font-weight:bold;white-space:nowrap;border-radius:4px;padding:.1em .4em}"
    ".echec .etat,li.echec{background:#fdecea;color:#a31515}"
    ".illisible .etat,li.illisible{background:#f3e5f5;color:#6a1b9a}"
    ".relancer .etat,li.relancer{background:#fff0e0;color:#a84300}"
    ".reinstaller .etat,li.reinstaller{background:#fff8d6;color:#6d5300}"
    ".amettre .etat,li.amettre{background:#e3f0fd;color:#0d47a1}"
    ".ajour .etat,li.ajour{background:#e8f5e9;color:#1b5e20}"
    ".absent .etat,li.absent{background:#eee;color:#424242}"
    "@media (max-width:700px){table,thead,tbody,tr,th,td{display:block}thead{display:none}"
    "tr{border:1px solid #ccc;border-radius:6px;margin:0 0 .8em;padding:.3em}"
    "td{border:none;padding:.2em .4em}td::before{content:attr(data-label) \" : \";color:#555}}"
    "@media print{body{margin:0}*{-webkit-print-color-adjust:exact;print-color-adjust:exact}"
    "a{color:inherit}tr{break-inside:avoid}}";

// The log's file name for an href: every byte but the unreserved ones percent-encoded.
std::string Href(const std::string& name)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string href;
    for (unsigned char c : name) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_'
            || c == '.' || c == '~') {
            href += static_cast<char>(c);
        } else {
            href += '%';
            href += hex[c >> 4];
            href += hex[c & 15];
        }
    }
    return href;
}

std::string Cell(const char* label, const std::string& html)
{
    return "<td data-label=\"" + U(label) + "\">" + html + "</td>";
}

std::string Row(const CRoomRow& row)
{
    const StateLook look = LookOf(row.state);
    std::string html = "<tr class=\"" + std::string(look.cssClass) + "\">";
    html += Cell("Poste", "<b>" + HtmlText(row.name) + "</b>");
    html += Cell("Dernier passage", HtmlText(LastRunText(row)));
    html += Cell("État", "<span class=\"etat\">" + std::string(look.sign) + " " + HtmlText(StateText(row.state))
                             + "</span>");
    std::string folders;
    if (!NoRecordText(row).empty()) {
        folders = HtmlText(NoRecordText(row));
    } else if (!row.record.folders.empty()) {
        folders = "<ul>";
        for (const CRecordFolder& folder : row.record.folders)
            folders += "<li>" + HtmlText(FolderText(folder)) + "</li>";
        folders += "</ul>";
    }
    html += Cell("Dossiers", folders);
    html += Cell("À réinstaller à la main", HtmlText(ReinstallText(row)));
    html += Cell("Journal", row.logLink.empty()
                                ? std::string()
                                : "<a href=\"" + Href(row.logLink) + "\">" + HtmlText(row.logLink) + "</a>");
    return html + "</tr>\n";
}

} // namespace

std::string HtmlText(const std::string& text)
{
    std::string html;
    html.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': html += "&amp;"; break;
        case '<': html += "&lt;"; break;
        case '>': html += "&gt;"; break;
        case '"': html += "&quot;"; break;
        case '\'': html += "&#39;"; break;
        default: html += c;
        }
    }
    return html;
}

std::string RoomHtml(const CRoom& room, const std::string& folder, const std::string& madeAt)
{
    std::string html = "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
    html += "<title>" + U("Mise à jour Orvandel 1.3 : état des postes") + "</title>\n";
    html += "<style>" + std::string(kStyle) + "</style>\n</head>\n<body>\n";
    html += "<h1>" + U("Mise à jour Orvandel 1.3 : état des postes") + "</h1>\n";
    html += "<p class=\"meta\">" + U("Dossier « ") + HtmlText(folder) + U(" », rapport du ") + HtmlText(madeAt)
            + ", " + std::to_string(room.rows.size()) + " poste" + (room.rows.size() > 1 ? "s" : "") + ".</p>\n";
    html += "<ul class=\"counts\">\n";
    for (int i = 0; i < kPcStateCount; ++i) {
        const PcState state = static_cast<PcState>(i);
        const StateLook look = LookOf(state);
        html += "<li class=\"" + std::string(look.cssClass) + "\">" + look.sign + " " + HtmlText(StateText(state))
                + " <b>" + std::to_string(room.counts[i]) + "</b></li>\n";
    }
    html += "</ul>\n<table>\n<thead><tr><th>Poste</th><th>Dernier passage</th><th>" + U("État")
            + "</th><th>Dossiers</th><th>" + U("À réinstaller à la main") + "</th><th>Journal</th></tr></thead>\n"
            + "<tbody>\n";
    for (const CRoomRow& row : room.rows)
        html += Row(row);
    html += "</tbody>\n</table>\n</body>\n</html>\n";
    return html;
}
