// The first two steps of configuration entry as the user meets them: the
// link-type choice with its picture, the base-dimension form of each type
// with its captions and boxes, the red marks of a failed read and how typing
// clears them, and the pictures of the five layouts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "SampleLinkages.hpp"
#include "entry/BaseForm.hpp"
#include "entry/BoxNames.hpp"
#include "entry/FormTransfer.hpp"
#include "entry/StartMixForm.hpp"
#include "entry/TypePictures.hpp"
#include "entry/WidgetEntryForm.hpp"
#include "QtText.hpp"

namespace potelan {
namespace {

using testing::S;

// Shows a window offscreen and lays it out, so that geometry can be compared.
void Lay(QWidget& window) {
  window.show();
  if (window.layout() != nullptr) window.layout()->activate();
  QApplication::processEvents();
}

QImage Pixels(const QPixmap& pixmap) {
  return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

// The picture a label shows, or a null image.
QImage Shown(const QLabel& label) { return Pixels(label.pixmap()); }

// A child's rectangle in the coordinates of `window`.
QRect InWindow(const QWidget& window, const QWidget& child) {
  return QRect(child.mapTo(&window, QPoint(0, 0)), child.size());
}

// The caption the user reads beside a box: the label that names it.
const QLabel* CaptionOf(const QWidget& window, const QLineEdit& box) {
  for (const QLabel* label : window.findChildren<QLabel*>()) {
    if (label->buddy() == &box) return label;
  }
  return nullptr;
}

QString CaptionText(const QWidget& window, const QString& boxName) {
  const auto* box = window.findChild<QLineEdit*>(boxName);
  if (box == nullptr) return QStringLiteral("<no box %1>").arg(boxName);
  const QLabel* caption = CaptionOf(window, *box);
  return caption != nullptr ? caption->text() : QStringLiteral("<no caption>");
}

bool ShowsRed(const QLineEdit& box) {
  return box.palette().color(QPalette::Base) == QColor(255, 0, 0);
}

bool ShowsWhite(const QLineEdit& box) {
  return box.palette().color(QPalette::Base) == QColor(255, 255, 255);
}

// Types a key into a box as a keyboard would.
void Type(QLineEdit& box, Qt::Key key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(&box, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(&box, &release);
}

// The boxes of each type's base form, top to bottom as the user fills them.
std::vector<QString> ExpectedBoxes(int type) {
  std::vector<QString> boxes;
  for (const Dimension d : FormDimensions(type)) boxes.push_back(DimensionBox(d));
  return boxes;
}

// The boxes of every dimension of a link type.
const std::vector<QString>& EveryBox() {
  static const std::vector<QString> all = [] {
    std::vector<QString> boxes;
    for (const DimensionInfo& row : DimensionTable().first<kTypeDimensionCount>()) {
      boxes.push_back(DimensionBox(row.Dim));
    }
    return boxes;
  }();
  return all;
}

// ---------------------------------------------------------------------------
// Type choice

TEST(StartMixForm, OpensWithType3SelectedAndItsPictureShown) {
  StartMixForm form;
  EXPECT_EQ(S(form.objectName()), "Form_Start_Mix");
  EXPECT_FALSE(form.windowTitle().isEmpty());
  const auto* frame = form.findChild<QGroupBox*>("Frame1");
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(S(frame->title()), "基準リンク緒元設定");

  EXPECT_EQ(form.SelectedIndex(), 1);
  ASSERT_NE(form.Option(1), nullptr);
  EXPECT_TRUE(form.Option(1)->isChecked());
  EXPECT_EQ(form.ShownPictureType(), 3);
  const auto* picture = form.findChild<QLabel*>("Picture1");
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(Shown(*picture), Pixels(TypePicture(3)));
}

TEST(StartMixForm, OptionsAreAControlArrayCaptionedType2ToType6) {
  StartMixForm form;
  const QList<QRadioButton*> options = form.findChildren<QRadioButton*>();
  ASSERT_EQ(options.size(), 5);
  for (int index = 0; index < 5; ++index) {
    const QRadioButton* option = form.Option(index);
    ASSERT_NE(option, nullptr) << index;
    EXPECT_EQ(S(option->objectName()), "Option_Sus_Type");
    EXPECT_EQ(option->property("index").toInt(), index);
    EXPECT_EQ(option->text(), QStringLiteral("Type %1").arg(index + 2));
  }
}

TEST(StartMixForm, ClickingType6ShowsTheType6PictureAndSelectsIt) {
  StartMixForm form;
  Lay(form);
  const auto* picture = form.findChild<QLabel*>("Picture1");
  ASSERT_NE(picture, nullptr);

  form.Option(4)->click();

  EXPECT_EQ(form.SelectedIndex(), 4);
  EXPECT_FALSE(form.Option(1)->isChecked());
  EXPECT_EQ(form.ShownPictureType(), 6);
  EXPECT_EQ(Shown(*picture), Pixels(TypePicture(6)));
  EXPECT_NE(Shown(*picture), Pixels(TypePicture(3)));
}

TEST(StartMixForm, EveryOptionShowsThePictureOfItsType) {
  StartMixForm form;
  const auto* picture = form.findChild<QLabel*>("Picture1");
  ASSERT_NE(picture, nullptr);
  // Go round in an order that changes the picture on every click.
  for (int index : {0, 4, 2, 3, 1, 0}) {
    form.Option(index)->click();
    EXPECT_EQ(form.SelectedIndex(), index);
    EXPECT_EQ(form.ShownPictureType(), index + 2);
    EXPECT_EQ(Shown(*picture), Pixels(TypePicture(index + 2))) << "index " << index;
  }
}

TEST(StartMixForm, OptionsStandType2Type3Type5Type4Type6WithTheVariantsIndented) {
  StartMixForm form;
  Lay(form);
  auto at = [&](int index) { return InWindow(form, *form.Option(index)); };
  const QRect type2 = at(0), type3 = at(1), type4 = at(2), type5 = at(3), type6 = at(4);

  EXPECT_LT(type2.bottom(), type3.top());
  EXPECT_LT(type3.bottom(), type5.top());
  EXPECT_LT(type5.bottom(), type4.top());
  EXPECT_LT(type4.bottom(), type6.top());

  EXPECT_EQ(type2.left(), type3.left());
  EXPECT_EQ(type3.left(), type4.left());
  EXPECT_GT(type5.left(), type3.left());
  EXPECT_GT(type6.left(), type4.left());
  EXPECT_EQ(type5.left(), type6.left());
}

TEST(StartMixForm, PictureAndOptionsDoNotOverlapAndFitTheWindow) {
  StartMixForm form;
  Lay(form);
  const auto* picture = form.findChild<QLabel*>("Picture1");
  const auto* frame = form.findChild<QGroupBox*>("Frame1");
  ASSERT_NE(picture, nullptr);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(picture->size(), QSize(kTypePictureWidth, kTypePictureHeight));
  EXPECT_FALSE(InWindow(form, *picture).intersects(InWindow(form, *frame)));
  EXPECT_TRUE(form.rect().contains(InWindow(form, *picture)));
  EXPECT_TRUE(form.rect().contains(InWindow(form, *frame)));
  for (int index = 0; index < 5; ++index) {
    EXPECT_TRUE(InWindow(form, *frame).contains(InWindow(form, *form.Option(index)))) << index;
  }
}

// ---------------------------------------------------------------------------
// Base-dimension forms

TEST(BaseForm, NamesAndCaptionsOfTheFiveWindows) {
  const std::map<int, std::string> titles{
      {2, "Suspension Type2"}, {3, "Suspesion Type3"}, {4, "Suspesion Type4"},
      {5, "Suspesion Type5"},  {6, "Suspesion Type6"},
  };
  for (const auto& [type, title] : titles) {
    BaseForm form(type);
    EXPECT_EQ(form.SusType(), type);
    EXPECT_EQ(S(form.objectName()), "Form_Type" + std::to_string(type));
    EXPECT_EQ(S(form.windowTitle()), title);
    EXPECT_EQ(form.Entry().FormName(), form.objectName());
  }
}

TEST(BaseForm, UnknownTypeIsRefused) {
  EXPECT_THROW(BaseForm(1), std::out_of_range);
  EXPECT_THROW(BaseForm(7), std::out_of_range);
}

TEST(BaseForm, ShowsThePictureOfItsType) {
  for (int type = 2; type <= 6; ++type) {
    BaseForm form(type);
    Lay(form);
    const auto* picture = form.findChild<QLabel*>("Picture_Type");
    ASSERT_NE(picture, nullptr) << type;
    EXPECT_EQ(Shown(*picture), Pixels(TypePicture(type))) << type;
    EXPECT_TRUE(form.rect().contains(InWindow(form, *picture))) << type;
  }
}

TEST(BaseForm, EachFormHasExactlyTheBoxesOfItsTypeEmptyAndWhite) {
  for (int type = 2; type <= 6; ++type) {
    BaseForm form(type);
    std::vector<QString> names;
    for (const QLineEdit* box : form.findChildren<QLineEdit*>()) {
      names.push_back(box->objectName());
      EXPECT_TRUE(box->text().isEmpty()) << S(box->objectName());
      EXPECT_TRUE(ShowsWhite(*box)) << S(box->objectName());
      EXPECT_EQ(BoxColourOf(*box), BoxColour::White) << S(box->objectName());
    }
    std::vector<QString> expected = ExpectedBoxes(type);
    EXPECT_EQ(names.size(), type == 2 ? 8u : 14u) << "type " << type;
    std::sort(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected) << "type " << type;

    // The transfer operations see the same boxes, and none of another type.
    for (const QString& name : EveryBox()) {
      const bool belongs = std::find(expected.begin(), expected.end(), name) != expected.end();
      EXPECT_EQ(form.Entry().HasBox(name), belongs) << "type " << type << " " << S(name);
    }
  }
}

// Captions as the user reads them. The plate of Types 3 and 5 turns about B
// on the arm, that of Types 4 and 6 about D on the frame, which renames its
// sides; Type 2 has the shock itself on the bracket FA.
TEST(BaseForm, CaptionsNameTheLettersOfTheTypesPicture) {
  struct Caption {
    int Type;
    QString Box;
    const char* Text;
  };
  const std::vector<Caption> captions{
      {2, box::ForkLinkOffset, "サス取り付けオフセット　AF="},
      {2, box::SusUpX, "サス上部取付位置Ｘ座標　Ex="},
      {2, box::SusUpY, "サス上部取付位置Ｙ座標　Ey="},
      {2, box::ForkLength, "リアフォーク長　OG="},
      {2, box::AxleStartPos, "リアアクスル初期位置　GH="},
      {2, box::Preload, "プリロード="},
      {3, box::ForkLinkOffset, "サス取り付けオフセット　BF="},
      {3, box::LinkUp, "リンクプレート上辺　AB="},
      {3, box::LinkRr, "リンクプレート後辺　BC="},
      {3, box::FrameLinkY, "フレーム側リンク取付位置Ｙ座標　Dy="},
      {4, box::LinkUp, "リンクプレート上辺　AD="},
      {4, box::LinkFr, "リンクプレート前辺　CD="},
      {4, box::TenRod, "テンションロッド長　BC="},
      {4, box::ForkLinkLength, "サスリンク取り付け長　OF="},
      {5, box::SusUpLength, "サス上部取付長　OJ="},
      {5, box::SusUpOffset, "サス上部取付オフセット　EJ="},
      {5, box::LinkFr, "リンクプレート前辺　AC="},
      {5, box::TenRod, "テンションロッド長　CD="},
      {6, box::SusUpLength, "サス上部取付長　OJ="},
      {6, box::LinkRr, "リンクプレート後辺　AC="},
      {6, box::ForkLinkOffset, "サス取り付けオフセット　BF="},
      {6, box::Spring, "スプリングレート="},
  };
  for (const Caption& c : captions) {
    BaseForm form(c.Type);
    EXPECT_EQ(S(CaptionText(form, c.Box)), c.Text) << "Type " << c.Type << " " << S(c.Box);
  }
}

TEST(BaseForm, EveryCaptionStandsLeftOfItsBoxOnTheSameRow) {
  for (int type = 2; type <= 6; ++type) {
    BaseForm form(type);
    Lay(form);
    for (const QLineEdit* box : form.findChildren<QLineEdit*>()) {
      const QLabel* caption = CaptionOf(form, *box);
      ASSERT_NE(caption, nullptr) << type << " " << S(box->objectName());
      const QRect b = InWindow(form, *box);
      const QRect c = InWindow(form, *caption);
      EXPECT_LE(c.right(), b.left()) << type << " " << S(box->objectName());
      EXPECT_NEAR(c.center().y(), b.center().y(), 2) << type << " " << S(box->objectName());
      // The whole caption fits its label: nothing is cut off.
      EXPECT_GE(caption->width(), caption->fontMetrics().horizontalAdvance(caption->text()))
          << type << " " << S(box->objectName());
    }
  }
}

TEST(BaseForm, RowsOfTheLinkTypesRunTopToBottomInTheirOrder) {
  for (int type = 3; type <= 6; ++type) {
    BaseForm form(type);
    Lay(form);
    const std::vector<QString> order = ExpectedBoxes(type);
    for (std::size_t i = 1; i < order.size(); ++i) {
      const auto* above = form.findChild<QLineEdit*>(order[i - 1]);
      const auto* below = form.findChild<QLineEdit*>(order[i]);
      ASSERT_NE(above, nullptr);
      ASSERT_NE(below, nullptr);
      EXPECT_LT(InWindow(form, *above).bottom(), InWindow(form, *below).top())
          << type << ": " << S(order[i - 1]) << " above " << S(order[i]);
    }
  }
}

TEST(BaseForm, Type2HasTheShockMountUpperRightSpringUpperLeftAndTheArmBelow) {
  BaseForm form(2);
  Lay(form);
  auto at = [&](const QString& name) {
    const auto* box = form.findChild<QLineEdit*>(name);
    return box != nullptr ? InWindow(form, *box) : QRect();
  };
  EXPECT_GT(at(box::SusUpX).left(), at(box::Spring).right());
  EXPECT_GT(at(box::SusUpY).left(), at(box::Preload).right());
  EXPECT_EQ(at(box::SusUpX).top(), at(box::Spring).top());
  EXPECT_EQ(at(box::SusUpY).top(), at(box::Preload).top());
  EXPECT_LT(at(box::Spring).bottom(), at(box::Preload).top());
  const int upperBottom = std::max(at(box::Preload).bottom(), at(box::SusUpY).bottom());
  const std::vector<QString> arm{box::ForkLength, box::ForkLinkLength, box::ForkLinkOffset,
                                 box::AxleStartPos};
  int previous = upperBottom;
  for (const QString& name : arm) {
    EXPECT_GT(at(name).top(), previous) << S(name);
    previous = at(name).bottom();
  }
}

TEST(BaseForm, NothingOverlapsAndEverythingFitsTheWindow) {
  for (int type = 2; type <= 6; ++type) {
    BaseForm form(type);
    Lay(form);
    std::vector<std::pair<std::string, QRect>> parts;
    for (const QWidget* child : form.findChildren<QWidget*>()) {
      if (qobject_cast<const QLabel*>(child) == nullptr &&
          qobject_cast<const QLineEdit*>(child) == nullptr)
        continue;
      const std::string name =
          S(child->objectName().isEmpty() ? qobject_cast<const QLabel*>(child)->text()
                                          : child->objectName());
      parts.emplace_back(name, InWindow(form, *child));
    }
    ASSERT_EQ(parts.size(), type == 2 ? 17u : 29u) << type;  // caption and box per row, picture
    for (std::size_t i = 0; i < parts.size(); ++i) {
      EXPECT_TRUE(form.rect().contains(parts[i].second)) << type << " " << parts[i].first;
      for (std::size_t j = i + 1; j < parts.size(); ++j) {
        EXPECT_FALSE(parts[i].second.intersects(parts[j].second))
            << type << ": " << parts[i].first << " / " << parts[j].first;
      }
    }
  }
}

TEST(BaseForm, ClosingByTheFrameIsReported) {
  BaseForm form(4);
  Lay(form);
  int reports = 0;
  QObject::connect(&form, &BaseForm::closedByUser, [&] { ++reports; });
  EXPECT_TRUE(form.close());
  EXPECT_EQ(reports, 1);
  EXPECT_FALSE(form.isVisible());
}

// Reading a base form: the boxes filled from a sample linkage of the type.
class BaseFormReadTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    type_ = GetParam();
    state_.Mode = EditMode::Base;
    state_.Set[kBaseSet] = testing::SampleSet(type_);
    WriteSetToForm(state_, form_.Entry(), kBaseSet);
    // The read starts from a set that holds none of the sample's values.
    const ConfigSet sample = state_.Set[kBaseSet];
    state_.Set[kBaseSet] = ConfigSet{};
    state_.Set[kBaseSet].SusType = sample.SusType;
    state_.Set[kBaseSet].SusPos = sample.SusPos;
    sample_ = sample;
  }

  QLineEdit& Box(const QString& name) {
    auto* box = form_.findChild<QLineEdit*>(name);
    EXPECT_NE(box, nullptr) << S(name);
    return *box;
  }

  std::vector<QString> RedBoxes() {
    std::vector<QString> red;
    for (const QLineEdit* box : form_.findChildren<QLineEdit*>()) {
      if (ShowsRed(*box)) red.push_back(box->objectName());
      EXPECT_EQ(ShowsRed(*box), BoxColourOf(*box) == BoxColour::Red) << S(box->objectName());
    }
    std::sort(red.begin(), red.end());
    return red;
  }

  int type_ = 0;
  AppState state_;
  ConfigSet sample_;
  BaseForm form_{GetParam()};
};

TEST_P(BaseFormReadTest, FilledFormReadsCleanly) {
  ReadFormToSet(state_, form_.Entry(), kBaseSet);
  EXPECT_FALSE(state_.LinkFailed);
  EXPECT_TRUE(RedBoxes().empty());
  const ConfigSet& read = state_.Set[kBaseSet];
  EXPECT_FLOAT_EQ(read.ForkLength, sample_.ForkLength);
  EXPECT_FLOAT_EQ(read.AxleStartPos, sample_.AxleStartPos);
  EXPECT_FLOAT_EQ(read.Preload, sample_.Preload);
}

TEST_P(BaseFormReadTest, AnEmptyBoxAndALetterAreMarkedRedAndNothingElse) {
  Box(box::ForkLength).clear();
  Box(box::Spring).setText(QStringLiteral("a"));

  ReadFormToSet(state_, form_.Entry(), kBaseSet);

  EXPECT_TRUE(state_.LinkFailed);
  std::vector<QString> expected{box::ForkLength, box::Spring};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(RedBoxes(), expected);
  // Every other box was still read.
  EXPECT_FLOAT_EQ(state_.Set[kBaseSet].AxleStartPos, sample_.AxleStartPos);
  EXPECT_FLOAT_EQ(state_.Set[kBaseSet].Preload, sample_.Preload);
}

TEST_P(BaseFormReadTest, TypingIntoARedBoxTurnsItWhiteAndLeavesTheOtherMarkRed) {
  Box(box::ForkLength).clear();
  Box(box::Spring).setText(QStringLiteral("a"));
  ReadFormToSet(state_, form_.Entry(), kBaseSet);
  ASSERT_TRUE(ShowsRed(Box(box::ForkLength)));
  ASSERT_TRUE(ShowsRed(Box(box::Spring)));

  Type(Box(box::ForkLength), Qt::Key_5, QStringLiteral("5"));

  EXPECT_EQ(S(Box(box::ForkLength).text()), "5");
  EXPECT_TRUE(ShowsWhite(Box(box::ForkLength)));
  EXPECT_TRUE(ShowsRed(Box(box::Spring)));
  EXPECT_EQ(RedBoxes(), std::vector<QString>{box::Spring});
}

TEST_P(BaseFormReadTest, ABoxHoldingOnlyAPointCountsAsZeroAndIsNotMarked) {
  Box(box::Preload).setText(QStringLiteral("."));
  state_.Set[kBaseSet].Preload = 99;

  ReadFormToSet(state_, form_.Entry(), kBaseSet);

  EXPECT_FALSE(state_.LinkFailed);
  EXPECT_EQ(state_.Set[kBaseSet].Preload, 0.0);
  EXPECT_TRUE(ShowsWhite(Box(box::Preload)));
  EXPECT_TRUE(RedBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(EveryType, BaseFormReadTest, ::testing::Range(2, 7),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return "Type" + std::to_string(info.param);
                         });

// ---------------------------------------------------------------------------
// The pictures of the layouts

// How many pixels differ from the picture's background (its corner colour).
int DrawnPixels(const QImage& image) {
  const QRgb background = image.pixel(image.width() / 2, 2);
  int drawn = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) drawn += image.pixel(x, y) != background ? 1 : 0;
  }
  return drawn;
}

// Pixels of a strong colour: red, green or blue clearly above the others.
int ColouredPixels(const QImage& image, int channel) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c(image.pixel(x, y));
      const int values[3] = {c.red(), c.green(), c.blue()};
      const int other1 = values[(channel + 1) % 3];
      const int other2 = values[(channel + 2) % 3];
      count +=
          values[channel] > 100 && values[channel] > other1 + 60 && values[channel] > other2 + 60
              ? 1
              : 0;
    }
  }
  return count;
}

TEST(TypePictures, EveryTypeHasAPictureOf320By200WithALightBackground) {
  for (int type = 2; type <= 6; ++type) {
    const QImage image = Pixels(TypePicture(type));
    ASSERT_FALSE(image.isNull()) << type;
    EXPECT_EQ(image.size(), QSize(320, 200)) << type;
    const QColor background(image.pixel(image.width() / 2, 2));
    EXPECT_GT(background.lightness(), 200) << type;
  }
}

TEST(TypePictures, OtherTypesHaveNone) {
  EXPECT_TRUE(TypePicture(0).isNull());
  EXPECT_TRUE(TypePicture(1).isNull());
  EXPECT_TRUE(TypePicture(7).isNull());
}

TEST(TypePictures, PicturesAreDrawnAndShowColouredMembers) {
  constexpr int kArea = 320 * 200;
  constexpr int kRed = 0, kGreen = 1, kBlue = 2;
  for (int type = 2; type <= 6; ++type) {
    const QImage image = Pixels(TypePicture(type));
    const int drawn = DrawnPixels(image);
    EXPECT_GT(drawn, kArea / 20) << type;  // members, letters, axes
    EXPECT_LT(drawn, kArea / 2) << type;   // still a drawing on a background
    EXPECT_GT(ColouredPixels(image, kBlue), 600) << type << ": the swing arm";
    EXPECT_GT(ColouredPixels(image, kRed), 150) << type << ": the shock";
    if (type >= 3) {
      EXPECT_GT(ColouredPixels(image, kGreen), 100) << type << ": the link plate";
    } else {
      EXPECT_LT(ColouredPixels(image, kGreen), 20) << type << ": Type 2 has no link plate";
    }
  }
}

TEST(TypePictures, EveryTypeLooksDifferent) {
  for (int a = 2; a <= 6; ++a) {
    for (int b = a + 1; b <= 6; ++b) {
      const QImage first = Pixels(TypePicture(a));
      const QImage second = Pixels(TypePicture(b));
      int differing = 0;
      for (int y = 0; y < first.height(); ++y) {
        for (int x = 0; x < first.width(); ++x) {
          differing += first.pixel(x, y) != second.pixel(x, y) ? 1 : 0;
        }
      }
      EXPECT_GT(differing, 1000) << "Type " << a << " and Type " << b;
    }
  }
}

}  // namespace
}  // namespace potelan
