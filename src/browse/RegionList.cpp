#include "browse/RegionList.h"

#include <memory>

#include "platform/Message.h"

bool LoadRegionList(const CDataPaths& paths, std::vector<RegionRecord>& regions) {
    const std::shared_ptr<const RegionFileContent> content =
        CachedRegionFile(paths.Cache(), paths.DataFile(kRegionFileName));
    regions = content ? content->records : std::vector<RegionRecord>();
    if (content && content->complete) {
        return true;
    }
    ShowMessage(kRegionFileErrorText);
    return false;
}
