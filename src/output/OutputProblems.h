#pragma once
// The problems in the output window's memo: each problem line marked by its severity, the counts after
// the window's caption, Alt+F8 / Alt+F7 to the next / previous problem, and Enter or a double-click on a
// problem line to open its file in the source view at the line.
#include "output/CompilerProblems_core.h"
#include "win/Forms.h"
#include "win/Memo.h"
#include "win/WindowHook.h"

#include <functional>
#include <string>
#include <vector>

class TSourceForm;

class TOutputProblems {
  public:
    // `caption`: the window's own caption, which the counts follow; `projectFileName`: the project whose
    // folder names without a folder are looked for in first.
    TOutputProblems(TForm& form, TMemo& memo, std::string caption,
                    std::function<std::string()> projectFileName);
    ~TOutputProblems();
    TOutputProblems(const TOutputProblems&) = delete;
    TOutputProblems& operator=(const TOutputProblems&) = delete;

    // After the output was loaded: the counts in the caption, and the first error selected.
    void Loaded();
    // Opens the source view at the problem on that memo line; an Exception says why when it cannot.
    void OpenSourceOf(int line);
    // The source view, once made.
    TSourceForm* SourceView() const { return view_; }

    // Where a bare file name is looked for after the project's folder; the Delphi 3 search path unless
    // a test says otherwise.
    std::function<std::string()> SearchPath;

  private:
    const std::vector<problems::TProblemLine>& Lines();
    void Changed();
    void SelectLine(int line);
    void Step(bool forward);
    int CaretLine() const;
    bool LineSelected(int line) const;
    void BeforeMessage(TMessage& message);
    void AfterMessage(const TMessage& message);

    TForm& form_;
    TMemo& memo_;
    std::string caption_;
    std::string shownCaption_;
    std::function<std::string()> projectFileName_;
    std::vector<problems::TProblemLine> lines_;
    bool scanned_ = false;
    bool swallowReturn_ = false;
    TWindowHook hook_;
    TSourceForm* view_ = nullptr;
};
