#include "title/panels/JxCSchoolhousePanel.h"

#include "objects/widgets/JxCBitmap.h"
#include "title/JxCProductData.h"
#include "title/JxLogBook.h"
#include "title/quiz/JxQuizState.h"

JxCSchoolhousePanel::~JxCSchoolhousePanel()
{
    if (countedAsLogbook_)
        CountLogbookShowing(false);
}

std::int16_t JxCSchoolhousePanel::CreateResources()
{
    if (!countedAsLogbook_) {
        countedAsLogbook_ = true;
        CountLogbookShowing(true);
    }
    const std::int16_t result = JxCGavoPanel::CreateResources();
    if (!QuizSavedState().minimised)
        return result;
    return SetMarker(0);
}

std::int16_t JxCSchoolhousePanel::Start()
{
    return JxCViewingPanel::Start();
}

std::int16_t JxCSchoolhousePanel::SetMarker(std::int16_t state)
{
    const JxCProductData* data = GetTitleData();
    if (!data)
        return 0;
    auto* marker = dynamic_cast<JxCBitmap*>(FindObjectById(data->GetFields().schoolhouseMarkerId));
    if (!marker || marker->GetTypeKey() != JxCTypeKey(JxCTableString("Bitmap")))
        return 0;
    marker->SetState(state ? 1 : 0);
    return 1;
}
