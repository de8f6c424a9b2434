#include "surface/editing/About.h"

#include <string>

namespace velmora {

void AboutFormShow(AboutForm& about) {
  about.lblNomLogiciel = ProgramName;
  about.lblVersionLogiciel = ProgramVersion;
  about.lblMateriel = std::string(HardwareName) + " Edition";
}

void lblSiteLine6Click(FormView& view) {
  view.OpenWebsite(kMakerWebsite);
}

}  // namespace velmora
