#include "tests/support/PdfFile.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <poppler.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace ts::pdf {

namespace {

struct GObjectFree {
    void operator()(void* p) const { g_object_unref(p); }
};
template <class T> using GObjectPtr = std::unique_ptr<T, GObjectFree>;

struct GFree {
    void operator()(void* p) const { g_free(p); }
};

// PDF user space has its origin at the bottom: turned into top-down points.
Area FromPdf(const PopplerRectangle& r, double pageHeight) {
    return {std::min(r.x1, r.x2), pageHeight - std::max(r.y1, r.y2), std::max(r.x1, r.x2),
            pageHeight - std::min(r.y1, r.y2)};
}

// The page and the top (down from the page's top) that a destination names.
void Target(PopplerDocument* doc, PopplerDest* dest, int& page, double& top) {
    PopplerDest* named = nullptr;
    if (dest->type == POPPLER_DEST_NAMED) {
        named = poppler_document_find_dest(doc, dest->named_dest);
        if (!named) return;
        dest = named;
    }
    page = dest->page_num;
    if (dest->change_top && page >= 1 && page <= poppler_document_get_n_pages(doc)) {
        GObjectPtr<PopplerPage> p(poppler_document_get_page(doc, page - 1));
        double w = 0, h = 0;
        poppler_page_get_size(p.get(), &w, &h);
        top = h - dest->top;
    }
    if (named) poppler_dest_free(named);
}

void ReadOutline(PopplerDocument* doc, PopplerIndexIter* it, int depth, std::vector<Bookmark>& out) {
    do {
        PopplerAction* action = poppler_index_iter_get_action(it);
        Bookmark b;
        b.depth = depth;
        b.open = poppler_index_iter_is_open(it);
        if (action) {
            if (action->any.title) b.title = action->any.title;
            if (action->type == POPPLER_ACTION_GOTO_DEST && action->goto_dest.dest)
                Target(doc, action->goto_dest.dest, b.page, b.top);
            poppler_action_free(action);
        }
        out.push_back(b);
        if (PopplerIndexIter* child = poppler_index_iter_get_child(it)) {
            ReadOutline(doc, child, depth + 1, out);
            poppler_index_iter_free(child);
        }
    } while (poppler_index_iter_next(it));
}

// The characters of a page's text whose centre lies inside the area.
std::string TextIn(const std::string& text, const PopplerRectangle* chars, guint count, const Area& a) {
    std::string out;
    const char* p = text.c_str();
    for (guint i = 0; i < count && *p; ++i) {
        const char* next = g_utf8_next_char(p);
        const double x = (chars[i].x1 + chars[i].x2) / 2, y = (chars[i].y1 + chars[i].y2) / 2;
        if (x >= a.left && x <= a.right && y >= a.top && y <= a.bottom) out.append(p, next);
        p = next;
    }
    return out;
}

} // namespace

bool Page::RunsAlongLongSide(const std::string& s) const {
    const std::size_t at = text.find(s);
    if (s.empty() || at == std::string::npos) return false;
    const auto index = [&](std::size_t byte) {
        return std::size_t(g_utf8_pointer_to_offset(text.c_str(), text.c_str() + byte));
    };
    const std::size_t first = index(at), last = index(at + s.size()) - 1;
    if (last >= chars.size()) return false;
    const double dx =
        std::abs((chars[last].left + chars[last].right) - (chars[first].left + chars[first].right));
    const double dy =
        std::abs((chars[last].top + chars[last].bottom) - (chars[first].top + chars[first].bottom));
    return width > height ? dx > dy : dy > dx;
}

Document Read(const std::string& path) {
    GError* error = nullptr;
    std::unique_ptr<char, GFree> uri(
        g_filename_to_uri(std::filesystem::absolute(path).c_str(), nullptr, &error));
    GObjectPtr<PopplerDocument> doc(uri ? poppler_document_new_from_file(uri.get(), nullptr, &error)
                                        : nullptr);
    if (!doc) {
        const std::string why = error ? error->message : "unknown error";
        if (error) g_error_free(error);
        throw std::runtime_error("cannot read " + path + ": " + why);
    }
    Document d;
    const int n = poppler_document_get_n_pages(doc.get());
    for (int i = 0; i < n; ++i) {
        GObjectPtr<PopplerPage> page(poppler_document_get_page(doc.get(), i));
        Page p;
        poppler_page_get_size(page.get(), &p.width, &p.height);
        std::unique_ptr<char, GFree> text(poppler_page_get_text(page.get()));
        if (text) p.text = text.get();
        PopplerRectangle* chars = nullptr;
        guint count = 0;
        if (poppler_page_get_text_layout(page.get(), &chars, &count)) {
            bool first = true;
            const char* c = p.text.c_str();
            for (guint k = 0; k < count && *c; ++k, c = g_utf8_next_char(c)) {
                const PopplerRectangle& r = chars[k];
                p.chars.push_back({r.x1, r.y1, r.x2, r.y2});
                if (g_unichar_isspace(g_utf8_get_char(c))) continue;
                if (first) p.textExtent = {r.x1, r.y1, r.x2, r.y2};
                first = false;
                p.textExtent.left = std::min(p.textExtent.left, r.x1);
                p.textExtent.top = std::min(p.textExtent.top, r.y1);
                p.textExtent.right = std::max(p.textExtent.right, r.x2);
                p.textExtent.bottom = std::max(p.textExtent.bottom, r.y2);
            }
        }
        GList* mapping = poppler_page_get_link_mapping(page.get());
        for (GList* l = mapping; l; l = l->next) {
            const auto* m = static_cast<PopplerLinkMapping*>(l->data);
            Link link;
            link.page = i + 1;
            link.area = FromPdf(m->area, p.height);
            link.text = TextIn(p.text, chars, count, link.area);
            if (m->action && m->action->type == POPPLER_ACTION_GOTO_DEST && m->action->goto_dest.dest)
                Target(doc.get(), m->action->goto_dest.dest, link.targetPage, link.targetTop);
            d.links.push_back(link);
        }
        poppler_page_free_link_mapping(mapping);
        g_free(chars);
        d.pages.push_back(std::move(p));
    }
    if (PopplerIndexIter* it = poppler_index_iter_new(doc.get())) {
        ReadOutline(doc.get(), it, 0, d.outline);
        poppler_index_iter_free(it);
    }
    PopplerFontInfo* info = poppler_font_info_new(doc.get());
    PopplerFontsIter* fonts = nullptr;
    while (poppler_font_info_scan(info, n, &fonts)) {
        if (!fonts) continue;
        do {
            const char* name = poppler_fonts_iter_get_name(fonts);
            d.fonts.push_back(name ? name : "");
            if (!poppler_fonts_iter_is_embedded(fonts)) d.fontsNotEmbedded.push_back(d.fonts.back());
        } while (poppler_fonts_iter_next(fonts));
        poppler_fonts_iter_free(fonts);
        fonts = nullptr;
    }
    poppler_font_info_free(info);
    return d;
}

Check StrictCheck(const std::string& path) {
    int out[2];
    if (pipe(out) != 0) throw std::runtime_error("no pipe for qpdf");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, out[1], 2);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::string prog = "qpdf", option = "--check", file = path;
    char* argv[] = {prog.data(), option.data(), file.data(), nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "qpdf", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    Check c;
    char buf[4096];
    for (ssize_t n; (n = read(out[0], buf, sizeof buf)) > 0;)
        c.report.append(buf, std::size_t(n));
    close(out[0]);
    if (spawned != 0) throw std::runtime_error("qpdf cannot be started (is it installed?)");
    int status = 0;
    waitpid(pid, &status, 0);
    // qpdf exits with 0 on a clean file, 3 when it only warns, 2 on errors.
    c.wellFormed =
        WIFEXITED(status) && WEXITSTATUS(status) == 0 && c.report.find("WARNING") == std::string::npos;
    return c;
}

} // namespace ts::pdf
