// Completing a partial URL against a document's base URL (reference resolution, simplified:
// no percent-encoding, no host normalisation).
#include "enginesim/page/url.h"

#include <cstddef>
#include <string>
#include <string_view>

#include "enginesim/page/markup.h"

namespace larkwell::enginesim {
namespace {

bool is_alpha(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// The length of the scheme of `url` with its colon ("http:" gives 5); 0 when it has none.
std::size_t scheme_length(std::u16string_view url) {
  for (std::size_t i = 0; i < url.size(); ++i) {
    const char16_t c = url[i];
    if (c == u':') return i > 0 ? i + 1 : 0;
    const bool allowed = is_alpha(c) || (i > 0 && ((c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.'));
    if (!allowed) return 0;
  }
  return 0;
}

struct UrlParts {
  std::u16string_view scheme;     // with its colon
  std::u16string_view authority;  // with its leading "//"
  std::u16string_view path;
  std::u16string_view query;     // with its "?"
  std::u16string_view fragment;  // with its "#"
};

UrlParts split(std::u16string_view url) {
  UrlParts parts;
  parts.scheme = url.substr(0, scheme_length(url));
  std::u16string_view rest = url.substr(parts.scheme.size());
  if (rest.substr(0, 2) == u"//") {
    parts.authority = rest.substr(0, rest.find_first_of(u"/?#", 2));
    rest.remove_prefix(parts.authority.size());
  }
  parts.path = rest.substr(0, rest.find_first_of(u"?#"));
  rest.remove_prefix(parts.path.size());
  parts.query = rest.substr(0, rest.find(u'#'));
  parts.fragment = rest.substr(parts.query.size());
  return parts;
}

void drop_last_segment(std::u16string& output) {
  const std::size_t slash = output.rfind(u'/');
  output.erase(slash == std::u16string::npos ? 0 : slash);
}

// The path with its "." and ".." segments resolved.
std::u16string remove_dot_segments(std::u16string_view path) {
  std::u16string input(path), output;
  auto starts = [&input](std::u16string_view prefix) { return input.compare(0, prefix.size(), prefix) == 0; };
  while (!input.empty()) {
    if (starts(u"../") || starts(u"./")) {
      input.erase(0, input.find(u'/') + 1);
    } else if (starts(u"/./") || input == u"/.") {
      input.replace(0, starts(u"/./") ? 3 : 2, u"/");
    } else if (starts(u"/../") || input == u"/..") {
      input.replace(0, starts(u"/../") ? 4 : 3, u"/");
      drop_last_segment(output);
    } else if (input == u"." || input == u"..") {
      input.clear();
    } else {
      const std::size_t end = input.find(u'/', 1);
      output += input.substr(0, end);
      input.erase(0, end);
    }
  }
  return output;
}

std::u16string join(std::u16string_view scheme, std::u16string_view authority, std::u16string_view path,
                    std::u16string_view query, std::u16string_view fragment) {
  std::u16string url(scheme);
  url += authority;
  url += path;
  url += query;
  url += fragment;
  return url;
}

}  // namespace

std::u16string complete_url(std::u16string_view base, std::u16string_view partial) {
  if (scheme_length(partial) != 0) return std::u16string(partial);
  const UrlParts from = split(base);
  if (from.scheme.empty()) return {};  // nothing to resolve against
  if (partial.substr(0, 2) == u"//") return join(from.scheme, partial, {}, {}, {});
  const UrlParts to = split(partial);
  if (partial.empty()) return join(from.scheme, from.authority, from.path, from.query, {});
  if (to.path.empty()) {
    return join(from.scheme, from.authority, from.path, to.query.empty() ? from.query : to.query, to.fragment);
  }
  std::u16string merged;
  if (to.path.front() != u'/') {
    merged = !from.authority.empty() && from.path.empty()
                 ? std::u16string(u"/")
                 : std::u16string(from.path.substr(0, from.path.rfind(u'/') + 1));
  }
  merged += to.path;
  return join(from.scheme, from.authority, remove_dot_segments(merged), to.query, to.fragment);
}

std::u16string resolve_link(std::u16string_view page_url, std::u16string_view href) {
  while (!href.empty() && is_markup_space(href.front())) href.remove_prefix(1);
  while (!href.empty() && is_markup_space(href.back())) href.remove_suffix(1);
  return complete_url(page_url, href);
}

}  // namespace larkwell::enginesim
