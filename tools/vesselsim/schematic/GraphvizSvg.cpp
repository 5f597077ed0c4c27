#include "GraphvizSvg.h"

#include <graphviz/gvc.h>

#include <memory>
#include <mutex>

#include "HostText.h"

// Graphviz's own dot layout and SVG writer, linked in: only they are loaded,
// not the text layout plugins that would share the process's fontconfig
// with the panels' text (the SVG's text is sized from Graphviz's own font
// metrics).
extern "C" {
extern gvplugin_library_t gvplugin_dot_layout_LTX_library;
extern gvplugin_library_t gvplugin_core_LTX_library;
}

namespace {

const lt_symlist_t kBuiltinPlugins[] = {
    {"gvplugin_dot_layout_LTX_library", &gvplugin_dot_layout_LTX_library},
    {"gvplugin_core_LTX_library", &gvplugin_core_LTX_library},
    {nullptr, nullptr},
};

// Graphviz keeps state of its own between calls: one drawing at a time, as
// the live bench's page may ask for two at once.
std::mutex drawing;
// Graphviz's messages of one rendering, kept instead of printed.
std::string *messages = nullptr;

int KeepMessage(char *text) {
  if (messages != nullptr) *messages += text;
  return 0;
}

}  // namespace

std::string RenderSvg(const std::string &dot, std::string &error) {
  const std::lock_guard<std::mutex> one(drawing);
  std::string kept;
  messages = &kept;
  agseterrf(KeepMessage);
  agseterr(AGERR);
  const std::unique_ptr<GVC_t, int (*)(GVC_t *)> context(gvContextPlugins(kBuiltinPlugins, 0), gvFreeContext);
  // Graphviz reads UTF-8; the plant's names are the host's text.
  Agraph_t *graph = agmemread(Utf8FromHostText(dot).c_str());
  std::string svg;
  if (graph != nullptr && gvLayout(context.get(), graph, "dot") == 0) {
    char *data = nullptr;
    unsigned int length = 0;
    if (gvRenderData(context.get(), graph, "svg", &data, &length) == 0) svg.assign(data, length);
    gvFreeRenderData(data);
    gvFreeLayout(context.get(), graph);
  }
  if (graph != nullptr) agclose(graph);
  messages = nullptr;
  if (svg.empty()) error = kept.empty() ? "Graphviz could not draw the plant" : kept;
  return svg;
}
