#include "browse/RegionList.h"

#include "platform/Message.h"

bool LoadRegionList(const CDataPaths& paths, std::vector<RegionRecord>& regions) {
    if (ReadRegionRecords(paths.DataFile(kRegionFileName), regions)) {
        return true;
    }
    ShowMessage(kRegionFileErrorText);
    return false;
}
