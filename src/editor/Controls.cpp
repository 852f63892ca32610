#include "editor/Controls.h"

namespace vnt {

QString controlName(Control control)
{
    switch (control) {
    case Control::TreeView_AI: return QStringLiteral("TreeView_AI");
    case Control::btnBrowseAIFile: return QStringLiteral("btnBrowseAIFile");
    case Control::labAttributeDescription: return QStringLiteral("labAttributeDescription");
    case Control::valueSlider: return QStringLiteral("valueSlider");
    case Control::btnSetDefaultValue: return QStringLiteral("btnSetDefaultValue");
    case Control::InvalidFileMsg: return QStringLiteral("InvalidFileMsg");
    case Control::lstSkill: return QStringLiteral("lstSkill");
    case Control::labDefaultValue: return QStringLiteral("labDefaultValue");
    case Control::labAttributeName: return QStringLiteral("labAttributeName");
    case Control::labMinRange: return QStringLiteral("labMinRange");
    case Control::labMaxRange: return QStringLiteral("labMaxRange");
    case Control::btnApplyAIChanges: return QStringLiteral("btnApplyAIChanges");
    case Control::btnCancelAIChanges: return QStringLiteral("btnCancelAIChanges");
    case Control::btnQuit: return QStringLiteral("btnQuit");
    case Control::btnExportVNTSettings: return QStringLiteral("btnExportVNTSettings");
    case Control::labAppVersion: return QStringLiteral("labAppVersion");
    case Control::btnImportVNTSettings: return QStringLiteral("btnImportVNTSettings");
    case Control::labSliderValue: return QStringLiteral("labSliderValue");
    case Control::labAIfilePath: return QStringLiteral("labAIfilePath");
    case Control::btnAItreeExpandAll: return QStringLiteral("btnAItreeExpandAll");
    case Control::btnAItreeCollapseAll: return QStringLiteral("btnAItreeCollapseAll");
    }
    return QString();
}

} // namespace vnt
