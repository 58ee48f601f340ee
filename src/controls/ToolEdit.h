#pragma once
// The file name edit: a one-line edit with a browse button at its right end that opens a file dialog
// seeded from the text, and that takes files dropped from the shell.
#include "controls/ToolEdit_core.h"
#include "base/TypInfo_core.h"
#include "win/Controls.h"

#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

class TFilenameEdit;

// The speed button inside the edit: paints its glyph raised, pressed or disabled, reports clicks.
class TEditButton : public TWinControl {
  public:
    TEditButton(TComponent* owner, TFilenameEdit* edit);
    std::string ClassName() const override { return "TEditButton"; }
    void SetGlyph(HBITMAP glyph, int numGlyphs);

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc) override;

  private:
    TFilenameEdit* edit_;
    HBITMAP glyph_ = nullptr;
    int numGlyphs_ = 1;
    bool pressed_ = false;
    bool tracking_ = false;
};

enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
using TExecOpenDialogEvent = std::function<void(TComponent* sender, std::string& name, bool& action)>;

class TFilenameEdit : public TWinControl, public IPublished {
  public:
    struct Settings {
        TBounds bounds;
        std::string filter = "All files (*.*)|*.*";
        std::string dialogTitle = "Browse";
        TEditCharCase charCase = TEditCharCase::ecNormal;
        bool acceptFiles = false;
        int buttonWidth = tooledit::kDefaultButtonWidth;
    };
    TFilenameEdit(TComponent* owner, TWinControl* parent, const Settings& settings);
    std::string ClassName() const override { return "TFilenameEdit"; }
    // FileName and InitialDir, as the settings storage keeps them.
    const TClassDesc& PublishedClass() const override;

    // The file name the text names: protecting quotes removed.
    std::string FileName() const;
    // Sets the text from a file name, quoted when it holds a blank; EComboEditError for an invalid name.
    void SetFileName(const std::string& name);
    std::string Text() const;
    void SetText(const std::string& text);
    const std::string& InitialDir() const { return initialDir_; }
    void SetInitialDir(const std::string& dir) { initialDir_ = dir; }
    const std::string& Filter() const { return filter_; }
    const std::string& DialogTitle() const { return dialogTitle_; }
    bool AcceptFiles() const { return acceptFiles_; }
    void SetAcceptFiles(bool accept);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int width);
    tooledit::TShortCut ClickKey() const { return clickKey_; }
    void SetClickKey(tooledit::TShortCut key) { clickKey_ = key; }
    const std::vector<std::string>& DroppedFiles() const { return dropped_; }
    void SetEnabled(bool enabled) override;

    // Presses the browse button: the dialog seeded from the text, the chosen name written back.
    void ButtonClick();

    TNotifyEvent OnButtonClick;
    TExecOpenDialogEvent OnBeforeDialog;
    TExecOpenDialogEvent OnAfterDialog;
    TNotifyEvent OnDropFiles;

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void CommandNotify(WORD code) override;
    HBRUSH CtlColor(HDC dc) override;

  private:
    void LayoutButton();
    void DropFiles(HDROP drop);
    bool RunDialog(std::string& name);

    TEditButton* button_ = nullptr;
    std::string filter_;
    std::string dialogTitle_;
    std::string initialDir_;
    TEditCharCase charCase_;
    bool acceptFiles_ = false;
    bool readOnly_ = false;
    int buttonWidth_;
    tooledit::TShortCut clickKey_ = tooledit::kDefaultClickKey;
    std::vector<std::string> dropped_;
};
