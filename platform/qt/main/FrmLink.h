#pragma once

#include <memory>

#include "ui/main/TenalineFrm.h"

namespace velnix::qt_platform {

// The way from the widgets to the window logic. A call goes through only while the logic lives,
// and keeps it alive until the call returns (the call may let go of its last holder).
class FrmLink {
  public:
    void Attach(std::weak_ptr<TenalineFrm> frm) { frm_ = std::move(frm); }

    template <typename Call>
    void Forward(Call call) const {
        if (const std::shared_ptr<TenalineFrm> frm = frm_.lock()) call(*frm);
    }

  private:
    std::weak_ptr<TenalineFrm> frm_;
};

}  // namespace velnix::qt_platform
