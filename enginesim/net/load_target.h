// The frame a fetch loads into, known without being held: the engine keeps no browser alive
// for its own work (see web::post_for_browser).
#pragma once

#include <memory>

namespace larkwell::enginesim::web {
struct FrameTree;
class SimFrame;
}  // namespace larkwell::enginesim::web

namespace larkwell::enginesim::net {

struct LoadTarget {
  std::shared_ptr<web::FrameTree> tree;
  web::SimFrame* frame;  // alive while the tree's browser is
};

}  // namespace larkwell::enginesim::net
