#include "controls/DogsEar_core.h"
#include "controls/urllabel_core.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using urllabel::TLabelType;
using urllabel::TLinkEvent;

TEST(LinkTarget, SchemePrefixThenTheCaptionUnchanged) {
    const std::string longCaption = "www.wrenworks.org/" + std::string(80, 'a');
    struct Row {
        TLabelType type;
        std::string caption, expected;
    };
    for (const Row& row : std::vector<Row>{
             {TLabelType::hmHTTP, "www.wrenworks.org", "http:\\\\www.wrenworks.org"},
             {TLabelType::hmMAIL, "tarnwick@wrenworks.org", "mailto:tarnwick@wrenworks.org"},
             {TLabelType::hmFTP, "ftp.wrenworks.org", "ftp:\\\\ftp.wrenworks.org"},
             {TLabelType::hmHTTP, "http://a.b", "http:\\\\http://a.b"}, // two schemes, as typed
             {TLabelType::hmMAIL, " x ", "mailto: x "},
             {TLabelType::hmHTTP, longCaption, "http:\\\\" + longCaption}, // not cut at 79
         })
        EXPECT_EQ(urllabel::ClickTarget(row.type, row.caption), row.expected) << row.caption;
}

TEST(LinkLook, ColourAndUnderlineThroughHoverAndPress) {
    struct Step {
        TLinkEvent event;
        TColor color;
        bool underlined, repaint;
    };
    const std::vector<Step> effect98{
        {TLinkEvent::mouseEnter, clRed, true, true}, {TLinkEvent::otherDown, clRed, true, false},
        {TLinkEvent::buttonUp, clBlue, true, false}, {TLinkEvent::leftDown, clRed, true, false},
        {TLinkEvent::buttonUp, clBlue, true, false}, {TLinkEvent::mouseLeave, clBlue, false, true},
    };
    const std::vector<Step> plain{
        {TLinkEvent::mouseEnter, clBlue, true, false}, {TLinkEvent::otherDown, clBlue, true, false},
        {TLinkEvent::leftDown, clRed, true, false},    {TLinkEvent::mouseLeave, clRed, true, false},
        {TLinkEvent::buttonUp, clBlue, true, false},
    };
    for (const bool on : {true, false}) {
        urllabel::TLinkLook look;
        EXPECT_EQ(look.FontColor(), clBlue);
        EXPECT_TRUE(look.Underlined());
        EXPECT_EQ(look.SetEffect98(on), on); // only a change counts
        EXPECT_EQ(look.Underlined(), !on);
        int i = 0;
        for (const Step& step : on ? effect98 : plain) {
            EXPECT_EQ(look.Apply(step.event), step.repaint) << on << " step " << i;
            EXPECT_EQ(look.FontColor(), step.color) << on << " step " << i;
            EXPECT_EQ(look.Underlined(), step.underlined) << on << " step " << i++;
        }
    }
    urllabel::TLinkLook look;
    look.SetURLColStd(clGreen);
    EXPECT_EQ(look.FontColor(), clGreen); // at once
    EXPECT_FALSE(look.SetURLColPre(clRed));
    EXPECT_TRUE(look.SetURLColPre(clNavy));
    look.Apply(TLinkEvent::leftDown);
    EXPECT_EQ(look.FontColor(), clNavy);
}

TEST(DogsEarGeometry, QuarterPointsAndWhatAClickReports) {
    using namespace dogsear;
    using D = TDogsEarAlign;
    struct Row {
        TShape shape, expected;
    };
    for (const Row& row : std::vector<Row>{
             {PageShape(D::adLeft, 30, 30), {{{0, 0}, {29, 0}, {29, 29}, {0, 0}}}},
             {SecondPageShape(D::adLeft, 30, 30), {{{0, 0}, {21, 7}, {29, 29}, {0, 0}}}},
             {PageShape(D::adRight, 30, 30), {{{0, 0}, {29, 0}, {0, 29}, {0, 0}}}},
             {SecondPageShape(D::adRight, 30, 30), {{{7, 7}, {29, 0}, {0, 29}, {7, 7}}}},
             {SecondPageShape(D::adLeft, 41, 9), {{{0, 0}, {30, 2}, {40, 8}, {0, 0}}}},
         })
        EXPECT_EQ(row.shape, row.expected);
    // (multi page, pages, in second page, in page) -> reported
    EXPECT_EQ(ClickedPages(true, 5, true, true), 5);
    EXPECT_EQ(ClickedPages(false, 5, true, true), 1);
    EXPECT_EQ(ClickedPages(true, 5, false, true), 1);
    EXPECT_EQ(ClickedPages(true, 5, false, false), std::nullopt);
}
