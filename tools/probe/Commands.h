// Commands of numora-probe. Each returns the process exit status:
// 0 success, 1 a failure of the work itself, 2 a usage error.
#pragma once

#include <string>
#include <vector>

namespace numora::probe {

using TArgs = std::vector<std::string>;

int RunKeys(const TArgs& args);           // keys [--state] TOKEN...
int RunJpegInfo(const TArgs& args);       // jpeg-info FILE
int RunJpegDecode(const TArgs& args);     // jpeg-decode FILE OUT.ppm [options]
int RunJpegEncode(const TArgs& args);     // jpeg-encode IN.ppm OUT.jpg [options]
int RunPictureRecord(const TArgs& args);  // picture-record IN OUT [--extract]
int RunPlot(const TArgs& args);           // plot [FORMULA] [--repeat N]
int RunReadout(const TArgs& args);        // readout FORMULA X Y [X Y]...
int RunEval(const TArgs& args);           // eval FORMULA
int RunFaces(const TArgs& args);          // faces FACE...

}  // namespace numora::probe
