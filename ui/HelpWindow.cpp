#include "HelpWindow.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace kiv::ui {
namespace {

const char kUsage[] = R"(<h2>Kiv for Windows の使い方</h2>
<h3>目次</h3>
<ul>
<li><a href="#route">運賃・時間計算</a></li>
<li><a href="#tables">運賃表・所要時間表・駅時刻表</a></li>
<li><a href="#conditions">条件設定・利用路線設定</a></li>
<li><a href="#start">起動とデータ</a></li>
</ul>
<h3><a name="route">運賃・時間計算</a></h3>
<p>「From...」の欄に出発駅、「To...」の欄に目的駅を入力します。駅名は漢字でもかなの読みでも入力でき、
入力中に候補が表示されます。「鶯谷」のような異体字や「新宿駅」のような「駅」付きの名前もその駅として受け付け、
当たる駅がないときは近い駅の候補から選べます。「From...」「To...」のボタン（Ctrl+F1, Ctrl+F2）で路線から駅を選ぶこともできます。
「⇅」のボタン（Ctrl+R）で出発駅と目的駅を入れ替えます。駅名の欄で Enter を押すと経路を検索します。</p>
<p>「機能」メニューの「運賃・時間計算」（Ctrl+F5）で経路を検索します。検索中は検出経路数が表示され、
「中止」でそこまでに見つかった経路を表示します。経路の一覧は検出順・時間順・運賃順に並べ替えられ、
選択した経路（選択がなければ表示中の経路）を Shift-JIS または UTF-8 のテキストで保存、コピー（Ctrl+C）、
経路の一覧を印刷（Ctrl+P）できます。</p>
<h3><a name="tables">運賃表・所要時間表・駅時刻表</a></h3>
<p>出発駅だけを使います。「運賃表作成」（Ctrl+F6）は出発駅から各駅までの運賃を会社別に、
「所要時間表作成」（Ctrl+F7）は出発駅を発車する列車ごとに各駅までの乗車時間を表示します。
表は選択中のものまたはすべてをテキストまたはCSVで保存できます。
「駅時刻表作成」（Ctrl+F8）は条件設定の曜日・時の発車時刻表をメイン画面に表示します。</p>
<h3><a name="conditions">条件設定・利用路線設定</a></h3>
<p>「条件設定」（Ctrl+F3）で出発時刻・曜日（または現在の時刻）、検出経路数、乗換回数、
最短所要時間からの余裕、迂回距離の上限、検索方式を設定します。
「利用路線設定」（Ctrl+F4）では会社ごと、または列車ごとに利用するかどうかを切り替えます
（○ 利用する、× 利用しない、△ 一部を利用する）。</p>
<h3><a name="start">起動とデータ</a></h3>
<p><code>kiv4 [vord]</code> — データファイルのあるディレクトリで起動するとそのデータを使います。
それ以外では利用者ごとのデータディレクトリ（$XDG_DATA_HOME/kiv）を使い、初回はサンプルデータを複写します。</p>
)";

}  // namespace

HelpWindow::HelpWindow(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("Kiv for Windows ヘルプ"));
  resize(560, 480);
  auto* text = new QTextBrowser(this);
  text->setObjectName(QStringLiteral("HelpText"));
  text->setAccessibleName(QStringLiteral("ヘルプ"));
  text->setHtml(QString::fromUtf8(kUsage));
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole)
      ->setObjectName(QStringLiteral("btnClose"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  auto* column = new QVBoxLayout(this);
  column->addWidget(text);
  column->addWidget(buttons);
}

void HelpWindow::showTopics() {
  show();
  raise();
  activateWindow();
}

}  // namespace kiv::ui
