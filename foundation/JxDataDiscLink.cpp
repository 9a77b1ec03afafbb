#include "foundation/JxDataDiscLink.h"

#include <utility>

namespace {

std::optional<JxDataDiscLink>& link()
{
    static std::optional<JxDataDiscLink> current;
    return current;
}

}  // namespace

std::optional<JxDataDiscLink> SetDataDiscLink(std::optional<JxDataDiscLink> l)
{
    return std::exchange(link(), std::move(l));
}

bool RelocateDataPathRoad(const JxCString& failedPath)
{
    return link() && link()->relocateDataPath && link()->relocateDataPath(failedPath);
}

JxDataDiscState DataDiscStateRoad()
{
    return link() && link()->dataDiscState ? link()->dataDiscState() : JxDataDiscState::InDrive;
}

bool CheckDataDiscAgainRoad()
{
    return link() && link()->checkDataDiscAgain && link()->checkDataDiscAgain();
}

bool GetVolumeLabelRoad(char driveLetter, JxCString& label)
{
    return link() && link()->getVolumeLabel && link()->getVolumeLabel(driveLetter, label);
}

bool RunLocateDialogRoad(int mode)
{
    return link() && link()->runLocateDialog && link()->runLocateDialog(mode);
}
