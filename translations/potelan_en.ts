<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>potelan::BaseForm</name>
    <message>
        <source>%1&#x3000;%2=</source>
        <translation>%1 %2=</translation>
    </message>
    <message>
        <source>Suspension Type2</source>
        <translation>Suspension Type2</translation>
    </message>
    <message>
        <source>Suspesion Type3</source>
        <translation>Suspension Type3</translation>
    </message>
    <message>
        <source>Suspesion Type4</source>
        <translation>Suspension Type4</translation>
    </message>
    <message>
        <source>Suspesion Type5</source>
        <translation>Suspension Type5</translation>
    </message>
    <message>
        <source>Suspesion Type6</source>
        <translation>Suspension Type6</translation>
    </message>
</context>
<context>
    <name>potelan::Dimensions</name>
    <message>
        <source>サス上部取付位置Ｘ座標</source>
        <translation>Shock upper mount X</translation>
    </message>
    <message>
        <source>サス上部取付Ｘ座標</source>
        <translation>Shock upper mount X</translation>
    </message>
    <message>
        <source>サス上部取付位置Ｙ座標</source>
        <translation>Shock upper mount Y</translation>
    </message>
    <message>
        <source>サス上部取付Ｙ座標</source>
        <translation>Shock upper mount Y</translation>
    </message>
    <message>
        <source>サス上部取付長</source>
        <translation>Shock upper mount length</translation>
    </message>
    <message>
        <source>サス上部取付オフセット</source>
        <translation>Shock upper mount offset</translation>
    </message>
    <message>
        <source>リアフォーク長</source>
        <translation>Swing arm length</translation>
    </message>
    <message>
        <source>フォーク長</source>
        <translation>Swing arm length</translation>
    </message>
    <message>
        <source>フォークリンク取付位置</source>
        <translation>Arm link mount</translation>
    </message>
    <message>
        <source>サスリンク取り付け長</source>
        <translation>Arm link mount length</translation>
    </message>
    <message>
        <source>フォークリンク取付長</source>
        <translation>Arm link mount length</translation>
    </message>
    <message>
        <source>リンク取付オフセット量</source>
        <translation>Arm link mount offset</translation>
    </message>
    <message>
        <source>サス取り付けオフセット</source>
        <translation>Arm link mount offset</translation>
    </message>
    <message>
        <source>フォークリンクオフセット</source>
        <translation>Arm link mount offset</translation>
    </message>
    <message>
        <source>リアアクスル初期位置</source>
        <translation>Axle start position</translation>
    </message>
    <message>
        <source>スプリングレート</source>
        <translation>Spring rate</translation>
    </message>
    <message>
        <source>プリロード</source>
        <translation>Preload</translation>
    </message>
    <message>
        <source>イニシャル</source>
        <translation>Preload</translation>
    </message>
    <message>
        <source>フレーム側リンク取付位置Ｘ座標</source>
        <translation>Frame link mount X</translation>
    </message>
    <message>
        <source>フレーム側リンク取付Ｘ座標</source>
        <translation>Frame link mount X</translation>
    </message>
    <message>
        <source>フレーム側リンク取付位置Ｙ座標</source>
        <translation>Frame link mount Y</translation>
    </message>
    <message>
        <source>フレーム側リンク取付Ｙ座標</source>
        <translation>Frame link mount Y</translation>
    </message>
    <message>
        <source>リンクプレート上辺</source>
        <translation>Link plate upper side</translation>
    </message>
    <message>
        <source>リンクプレート前辺</source>
        <translation>Link plate front side</translation>
    </message>
    <message>
        <source>リンクプレート後辺</source>
        <translation>Link plate rear side</translation>
    </message>
    <message>
        <source>テンションロッド長</source>
        <translation>Tension rod length</translation>
    </message>
    <message>
        <source>ピボットＸ座標</source>
        <translation>Pivot X</translation>
    </message>
    <message>
        <source>ピボット移動Ｘ</source>
        <translation>Pivot move X</translation>
    </message>
    <message>
        <source>ピボットＹ座標</source>
        <translation>Pivot Y</translation>
    </message>
    <message>
        <source>ピボット移動Ｙ</source>
        <translation>Pivot move Y</translation>
    </message>
    <message>
        <source>リバウンドスプリングレート</source>
        <translation>Rebound spring rate</translation>
    </message>
    <message>
        <source>リバウンドスプリング長</source>
        <translation>Rebound spring length</translation>
    </message>
</context>
<context>
    <name>potelan::EditCommands</name>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>やり直し</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>コピーできませんでした</source>
        <translation>The data could not be copied</translation>
    </message>
</context>
<context>
    <name>potelan::EditSession</name>
    <message>
        <source>変更された条件でリンクが成立しません</source>
        <translation>The linkage cannot be assembled with the changed dimensions</translation>
    </message>
    <message>
        <source>前の状態のデータでもリンクが成立しません</source>
        <translation>The linkage cannot be assembled with the previous data either</translation>
    </message>
    <message>
        <source>基準の状態に戻します</source>
        <translation>The base set is put back</translation>
    </message>
    <message>
        <source>変更された条件のリンク位置が選ばれていません</source>
        <translation>No link position is chosen for the changed dimensions</translation>
    </message>
    <message>
        <source>空欄または数値でない項目があるため一時保存できません</source>
        <translation>Cannot store: some entries are empty or not numbers</translation>
    </message>
    <message>
        <source>変更ピッチには正の数を入力して下さい</source>
        <translation>Enter a positive number as the change pitch</translation>
    </message>
    <message>
        <source>初期条件でリンクが成立しません</source>
        <translation>The linkage cannot be assembled at the start position</translation>
    </message>
    <message>
        <source>読み込んだデータのリンク位置が選ばれていません</source>
        <translation>No link position is chosen for the loaded data</translation>
    </message>
    <message>
        <source>ﾘﾝｸﾌｧｲﾙの %1 行目が読めないため、その前の行までを読み込みました
%2
以降の値は読み込む前のままです</source>
        <translation>Line %1 of the link file cannot be read: the lines before it were loaded
%2
The values after it are as they were before loading</translation>
    </message>
    <message>
        <source>データを前の状態に戻します</source>
        <translation>The data is put back as it was</translation>
    </message>
    <message>
        <source>ファイルを読み込めませんでした</source>
        <translation>The file could not be read</translation>
    </message>
    <message>
        <source>ﾘﾝｸﾌｧｲﾙとして読み込めませんでした</source>
        <translation>The file could not be read as a link file</translation>
    </message>
    <message>
        <source>ﾘﾝｸﾌｧｲﾙの %1 行目が読めないため、その前の行までを読み込みました
以降の値は読み込む前のままです</source>
        <translation>Line %1 of the link file cannot be read: the lines before it were loaded
The values after it are as they were before loading</translation>
    </message>
</context>
<context>
    <name>potelan::InitForm</name>
    <message>
        <source>ｱｸｽﾙｽﾄﾛｰｸ最大値は 0 から 3276 までの整数で入力して下さい</source>
        <translation>Enter the maximum axle stroke as a whole number from 0 to 3276</translation>
    </message>
    <message>
        <source>初期設定をファイルに保存できませんでした</source>
        <translation>The settings could not be saved to the file</translation>
    </message>
    <message>
        <source>初期設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>ｱｸｽﾙｽﾄﾛｰｸ最大値</source>
        <translation>Maximum axle stroke</translation>
    </message>
    <message>
        <source>言語</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>次回の起動から有効</source>
        <translation>Applies from the next start</translation>
    </message>
</context>
<context>
    <name>potelan::InputForm</name>
    <message>
        <source>次の項目の入力は数値ではありません</source>
        <translation>These entries are not numbers:</translation>
    </message>
    <message>
        <source>数値を入力して下さい</source>
        <translation>Please enter numbers</translation>
    </message>
    <message>
        <source>緒元入力</source>
        <translation>Dimensions</translation>
    </message>
    <message>
        <source>サスペンションタイプ:</source>
        <translation>Suspension type:</translation>
    </message>
    <message>
        <source>リンク位置の選択</source>
        <translation>Choose the link position</translation>
    </message>
    <message>
        <source>リンク位置:</source>
        <translation>Link position:</translation>
    </message>
    <message>
        <source>変更ピッチ:</source>
        <translation>Change pitch:</translation>
    </message>
    <message>
        <source>一時保存</source>
        <translation>Store</translation>
    </message>
    <message>
        <source>復帰</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>%1「%2」</source>
        <translation>%1 &quot;%2&quot;</translation>
    </message>
</context>
<context>
    <name>potelan::LinkFile</name>
    <message>
        <source>基準サス緒元で選択されたリンクタイプと<byte value="xd"/>
読み込まれたリンクタイプが違います<byte value="xd"/>
ﾌｧｲﾙを選択し直すか、前に戻ってやり直して下さい</source>
        <translation>The link type of the file read differs from<byte value="xd"/>
the link type chosen for the base dimensions<byte value="xd"/>
Choose another file, or go back and start again</translation>
    </message>
</context>
<context>
    <name>potelan::MainWindow</name>
    <message>
        <source>ファイルからデータを読み込む</source>
        <translation>Load data from a file</translation>
    </message>
    <message>
        <source>現在のデータをファイルに保存</source>
        <translation>Save the current data to a file</translation>
    </message>
    <message>
        <source>印刷実行</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>数値入力画面を前面に</source>
        <translation>Bring Dimensions to the front</translation>
    </message>
    <message>
        <source>グラフ表示を前面に</source>
        <translation>Bring Graph to the front</translation>
    </message>
    <message>
        <source>数値表を前面に</source>
        <translation>Bring Numeric Table to the front</translation>
    </message>
    <message>
        <source>実働表示部を前面に</source>
        <translation>Bring Motion to the front</translation>
    </message>
    <message>
        <source>荷重チェック（未使用）</source>
        <translation>Load check (unused)</translation>
    </message>
    <message>
        <source>次のステップへ進む</source>
        <translation>Next step</translation>
    </message>
    <message>
        <source>前のステップに戻る</source>
        <translation>Previous step</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>File</translation>
    </message>
    <message>
        <source>読み込み</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>このプログラムについて</source>
        <translation>About Potelan</translation>
    </message>
    <message>
        <source>編集</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>コピー</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>張り付け</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>View</translation>
    </message>
    <message>
        <source>グラフ表示</source>
        <translation>Graph</translation>
    </message>
    <message>
        <source>表の表示</source>
        <translation>Numeric Table</translation>
    </message>
    <message>
        <source>実働表示</source>
        <translation>Motion</translation>
    </message>
    <message>
        <source>ラベル</source>
        <translation>Label</translation>
    </message>
    <message>
        <source>特別</source>
        <translation>Special</translation>
    </message>
    <message>
        <source>設計支援</source>
        <translation>Design Assistant</translation>
    </message>
    <message>
        <source>ウィンドウ</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>並べて表示</source>
        <translation>Tile</translation>
    </message>
    <message>
        <source>重ねて表示</source>
        <translation>Cascade</translation>
    </message>
    <message>
        <source>初期設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>処理を続けられませんでした</source>
        <translation>The command could not be carried out</translation>
    </message>
    <message>
        <source>未入力項目があります。
ファイルからデータを読み込みますか？</source>
        <translation>Some entries are empty.
Load the data from a file?</translation>
    </message>
    <message>
        <source>ﾘﾝｸﾌｧｲﾙ選択</source>
        <translation>Open Link File</translation>
    </message>
    <message>
        <source>保存ﾘﾝｸﾌｧｲﾙ選択</source>
        <translation>Save Link File</translation>
    </message>
    <message>
        <source>ファイルに保存できませんでした</source>
        <translation>The file could not be saved</translation>
    </message>
    <message>
        <source>まだ開発途上のプログラムです</source>
        <translation>This program is still being developed</translation>
    </message>
    <message>
        <source>ぽてらんβ</source>
        <translation>Potelan β</translation>
    </message>
</context>
<context>
    <name>potelan::PositionForm</name>
    <message>
        <source>リンク位置を選んで下さい</source>
        <translation>Choose the Link Position</translation>
    </message>
    <message>
        <source>リンク位置選択</source>
        <translation>Link position</translation>
    </message>
    <message>
        <source>その位置ではリンクが成立しません</source>
        <translation>The linkage cannot be assembled at that position</translation>
    </message>
    <message>
        <source>リンク位置を選んでから OKﾎﾞﾀﾝ を押して下さい</source>
        <translation>Choose a link position, then press OK</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>リンク位置 P %1 ではリンクが成立しません</source>
        <translation>The linkage cannot be assembled at link position P %1</translation>
    </message>
    <message>
        <source>リンク位置を選び直して下さい</source>
        <translation>Choose the link position again</translation>
    </message>
    <message>
        <source>どのリンク位置でもリンクが成立しません</source>
        <translation>The linkage cannot be assembled at any link position</translation>
    </message>
</context>
<context>
    <name>potelan::QtPrompts</name>
    <message>
        <source>画像のサイズ</source>
        <translation>Image Size</translation>
    </message>
    <message>
        <source>ウィンドウと同じ (%1%2%3)</source>
        <translation>Same as the window (%1%2%3)</translation>
    </message>
    <message>
        <source>サイズ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>幅</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>高さ</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>potelan::ResultItems</name>
    <message>
        <source>ﾘﾝｸﾚｼｵ</source>
        <translation>Link ratio</translation>
    </message>
    <message>
        <source>ﾘﾝｸﾚｼｵ(逆数)</source>
        <translation>Inverse link ratio</translation>
    </message>
    <message>
        <source>ﾘﾝｸﾚｼｵ(逆)</source>
        <translation>Inv. ratio</translation>
    </message>
    <message>
        <source>ｱｸｽﾙ荷重</source>
        <translation>Axle load</translation>
    </message>
    <message>
        <source>サス荷重</source>
        <translation>Shock load</translation>
    </message>
    <message>
        <source>ﾃﾝｼｮﾝﾛｯﾄﾞ荷重</source>
        <translation>Tension rod load</translation>
    </message>
    <message>
        <source>ピボット荷重</source>
        <translation>Pivot load</translation>
    </message>
    <message>
        <source>ﾋﾟﾎﾞｯﾄ荷重</source>
        <translation>Pivot load</translation>
    </message>
    <message>
        <source>ﾌﾚｰﾑﾘﾝｸ取付位置荷重</source>
        <translation>Frame link mount load</translation>
    </message>
    <message>
        <source>ﾌｫｰｸﾘﾝｸ取付位置荷重</source>
        <translation>Arm link mount load</translation>
    </message>
    <message>
        <source>サス長</source>
        <translation>Shock length</translation>
    </message>
    <message>
        <source>ｻｽｽﾄﾛｰｸ</source>
        <translation>Shock stroke</translation>
    </message>
    <message>
        <source>ﾎｲｰﾙﾚｰﾄ</source>
        <translation>Wheel rate</translation>
    </message>
    <message>
        <source>ｱｸｽﾙ</source>
        <translation>Axle</translation>
    </message>
    <message>
        <source>ｽﾄﾛｰｸ</source>
        <translation>stroke</translation>
    </message>
    <message>
        <source>基準</source>
        <translation>Base</translation>
    </message>
    <message>
        <source>変更</source>
        <translation>Changed</translation>
    </message>
</context>
<context>
    <name>potelan::SpinButton</name>
    <message>
        <source>%1 上</source>
        <translation>%1 up</translation>
    </message>
    <message>
        <source>%1 下</source>
        <translation>%1 down</translation>
    </message>
</context>
<context>
    <name>potelan::StartMixForm</name>
    <message>
        <source>リンクタイプ選択</source>
        <translation>Link Type</translation>
    </message>
    <message>
        <source>基準リンク緒元設定</source>
        <translation>Base linkage dimensions</translation>
    </message>
</context>
<context>
    <name>potelan::StrokeSweep</name>
    <message>
        <source>ｱｸｽﾙｽﾄﾛｰｸ %1mm でリンクが成立しなくなります</source>
        <translation>The linkage can no longer be assembled at an axle stroke of %1 mm</translation>
    </message>
    <message>
        <source>変更された条件のｱｸｽﾙｽﾄﾛｰｸ%1mm でリンクが成立しません</source>
        <translation>With the changed dimensions the linkage cannot be assembled at an axle stroke of %1 mm</translation>
    </message>
    <message>
        <source>初期条件でリンクが成立しません</source>
        <translation>The linkage cannot be assembled at the start position</translation>
    </message>
</context>
<context>
    <name>potelan::TableExport</name>
    <message>
        <source>ﾘﾝｸﾚｼｵ</source>
        <translation>Link ratio</translation>
    </message>
    <message>
        <source>ﾘﾝｸﾚｼｵ(逆)</source>
        <translation>Inv. ratio</translation>
    </message>
    <message>
        <source>軸荷重</source>
        <translation>Axle load</translation>
    </message>
    <message>
        <source>サス荷重</source>
        <translation>Shock load</translation>
    </message>
    <message>
        <source>T-Rod</source>
        <translation>T-Rod</translation>
    </message>
    <message>
        <source>ﾋﾟﾎﾞｯﾄ荷重</source>
        <translation>Pivot load</translation>
    </message>
    <message>
        <source>Frm-Link</source>
        <translation>Frm-Link</translation>
    </message>
    <message>
        <source>Fork-Link</source>
        <translation>Fork-Link</translation>
    </message>
    <message>
        <source>サス長</source>
        <translation>Shock length</translation>
    </message>
    <message>
        <source>ｻｽｽﾄﾛ-ｸ</source>
        <translation>Shock stroke</translation>
    </message>
    <message>
        <source>ﾎｲｰﾙﾚｰﾄ</source>
        <translation>Wheel rate</translation>
    </message>
    <message>
        <source>基準値</source>
        <translation>Base</translation>
    </message>
    <message>
        <source>変更後</source>
        <translation>Changed</translation>
    </message>
    <message>
        <source>サスタイプ</source>
        <translation>Link type</translation>
    </message>
</context>
<context>
    <name>potelan::WidgetEntryForm</name>
    <message>
        <source>入力エラー：未入力か数値ではありません</source>
        <translation>Entry error: empty or not a number</translation>
    </message>
</context>
<context>
    <name>potelan::text</name>
    <message>
        <source>ぽてらんβ2</source>
        <translation>Potelan β2</translation>
    </message>
    <message>
        <source>ぽてらんからの警告!!</source>
        <translation>Potelan: Warning</translation>
    </message>
    <message>
        <source>ぽてらんからの注意</source>
        <translation>Potelan: Notice</translation>
    </message>
    <message>
        <source>ぽてらん</source>
        <translation>Potelan</translation>
    </message>
    <message>
        <source>ﾘﾝｸﾌｧｲﾙ(*.lin)|*.lin</source>
        <translation>Link files (*.lin)|*.lin</translation>
    </message>
</context>
<context>
    <name>potelan::CharacteristicsPage</name>
    <message>
        <location filename="../src/assistui/CharacteristicsPage.cpp" line="23"/>
        <source>サス荷重</source>
        <translation>Shock load</translation>
    </message>
    <message>
        <location filename="../src/assistui/CharacteristicsPage.cpp" line="25"/>
        <source>ｱｸｽﾙ荷重</source>
        <translation>Axle load</translation>
    </message>
    <message>
        <location filename="../src/assistui/CharacteristicsPage.cpp" line="27"/>
        <source>ﾃﾝｼｮﾝﾛｯﾄﾞ荷重</source>
        <translation>Tension rod load</translation>
    </message>
    <message>
        <location filename="../src/assistui/CharacteristicsPage.cpp" line="29"/>
        <source>ピボット荷重</source>
        <translation>Pivot load</translation>
    </message>
    <message>
        <location filename="../src/assistui/CharacteristicsPage.cpp" line="31"/>
        <source>ﾌﾚｰﾑﾘﾝｸ取付位置荷重</source>
        <translation>Frame link mount load</translation>
    </message>
    <message>
        <location filename="../src/assistui/CharacteristicsPage.cpp" line="33"/>
        <source>ﾌｫｰｸﾘﾝｸ取付位置荷重</source>
        <translation>Fork link mount load</translation>
    </message>
    <message>
        <location filename="../src/assistui/CharacteristicsPage.cpp" line="44"/>
        <source>0 (ﾌﾟﾘﾛｰﾄﾞで支持)</source>
        <translation>0 (held by preload)</translation>
    </message>
    <message>
        <location filename="../src/assistui/CharacteristicsPage.cpp" line="46"/>
        <source>届かず</source>
        <translation>not reached</translation>
    </message>
    <message>
        <location filename="../src/assistui/CharacteristicsPage.cpp" line="89"/>
        <source>なし</source>
        <translation>none</translation>
    </message>
    <message>
        <location filename="../src/assistui/CharacteristicsPage.cpp" line="90"/>
        <source>静的ｱｸｽﾙ荷重:</source>
        <translation>Static axle load:</translation>
    </message>
    <message>
        <location filename="../src/assistui/CharacteristicsPage.cpp" line="97"/>
        <source>特性</source>
        <translation>Characteristics</translation>
    </message>
    <message>
        <location filename="../src/assistui/CharacteristicsPage.cpp" line="113"/>
        <source>ﾘﾝｸﾚｼｵ 0mm</source>
        <translation>Link ratio at 0 mm</translation>
    </message>
    <message>
        <location filename="../src/assistui/CharacteristicsPage.cpp" line="114"/>
        <source>ﾘﾝｸﾚｼｵ %1mm</source>
        <translation>Link ratio at %1 mm</translation>
    </message>
    <message>
        <location filename="../src/assistui/CharacteristicsPage.cpp" line="115"/>
        <source>進行率 %</source>
        <translation>Progression %</translation>
    </message>
    <message>
        <location filename="../src/assistui/CharacteristicsPage.cpp" line="116"/>
        <source>ｻｽｽﾄﾛｰｸ %1mm時 mm</source>
        <translation>Shock stroke at %1 mm, mm</translation>
    </message>
    <message>
        <location filename="../src/assistui/CharacteristicsPage.cpp" line="117"/>
        <source>ﾎｲｰﾙﾚｰﾄ 0mm kgf/mm</source>
        <translation>Wheel rate at 0 mm, kgf/mm</translation>
    </message>
    <message>
        <location filename="../src/assistui/CharacteristicsPage.cpp" line="118"/>
        <source>ﾎｲｰﾙﾚｰﾄ %1mm kgf/mm</source>
        <translation>Wheel rate at %1 mm, kgf/mm</translation>
    </message>
    <message>
        <location filename="../src/assistui/CharacteristicsPage.cpp" line="119"/>
        <source>サグ mm</source>
        <translation>Sag, mm</translation>
    </message>
    <message>
        <location filename="../src/assistui/CharacteristicsPage.cpp" line="121"/>
        <source>%1 最大 kgf</source>
        <translation>%1 peak, kgf</translation>
    </message>
    <message>
        <location filename="../src/assistui/CharacteristicsPage.cpp" line="121"/>
        <source>%1 最大位置 mm</source>
        <translation>%1 peak at, mm</translation>
    </message>
</context>
<context>
    <name>potelan::DesignAssistant</name>
    <message>
        <location filename="../src/assistui/DesignAssistant.cpp" line="27"/>
        <source>特性</source>
        <translation>Characteristics</translation>
    </message>
    <message>
        <location filename="../src/assistui/DesignAssistant.cpp" line="28"/>
        <source>感度</source>
        <translation>Sensitivity</translation>
    </message>
    <message>
        <location filename="../src/assistui/DesignAssistant.cpp" line="29"/>
        <source>目標に合わせる</source>
        <translation>Fit to target</translation>
    </message>
</context>
<context>
    <name>potelan::DimensionRanges</name>
    <message>
        <location filename="../src/assistui/DimensionRanges.cpp" line="52"/>
        <source>寸法</source>
        <translation>Dimension</translation>
    </message>
    <message>
        <location filename="../src/assistui/DimensionRanges.cpp" line="52"/>
        <source>現在値</source>
        <translation>Current</translation>
    </message>
    <message>
        <location filename="../src/assistui/DimensionRanges.cpp" line="52"/>
        <location filename="../src/assistui/DimensionRanges.cpp" line="77"/>
        <source>下限</source>
        <translation>Lower bound</translation>
    </message>
    <message>
        <location filename="../src/assistui/DimensionRanges.cpp" line="52"/>
        <location filename="../src/assistui/DimensionRanges.cpp" line="78"/>
        <source>上限</source>
        <translation>Upper bound</translation>
    </message>
    <message>
        <location filename="../src/assistui/DimensionRanges.cpp" line="64"/>
        <source>%1 現在値</source>
        <translation>%1 current value</translation>
    </message>
</context>
<context>
    <name>potelan::FitPage</name>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="44"/>
        <source>リンクタイプが選択されていません</source>
        <translation>No link type is chosen</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="46"/>
        <source>ｱｸｽﾙｽﾄﾛｰｸの範囲がありません</source>
        <translation>There is no axle stroke range</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="48"/>
        <source>目標の点がありません</source>
        <translation>The target has no points</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="50"/>
        <source>目標の点はｽﾄﾛｰｸの小さい順に、同じｽﾄﾛｰｸを重ねずに与えて下さい</source>
        <translation>Give the target points in increasing stroke, with no stroke twice</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="53"/>
        <source>重みの点はｽﾄﾛｰｸの小さい順に与えて下さい</source>
        <translation>Give the weight points in increasing stroke</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="56"/>
        <source>重みは 0 以上にして下さい</source>
        <translation>Weights must be 0 or more</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="58"/>
        <source>重みがすべて 0 です</source>
        <translation>Every weight is 0</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="60"/>
        <source>変える寸法が選ばれていません</source>
        <translation>No dimension to vary is chosen</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="62"/>
        <source>%1 はこのリンクタイプにありません</source>
        <translation>%1 is not a dimension of this link type</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="65"/>
        <source>%1 が二度選ばれています</source>
        <translation>%1 is chosen twice</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="67"/>
        <source>%1 の範囲が正しくありません (下限 &lt; 上限)</source>
        <translation>The range of %1 is not valid (lower &lt; upper)</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="71"/>
        <source>評価回数が正しくありません</source>
        <translation>The number of evaluations is not valid</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="73"/>
        <source>探索が NLopt に拒まれました (%1)</source>
        <translation>NLopt refused the search (%1)</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="76"/>
        <source>範囲内でストローク全域にわたって成立するリンクが見つかりません</source>
        <translation>No linkage within the ranges assembles over the whole stroke</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="95"/>
        <source>変える寸法と範囲:</source>
        <translation>Dimensions to vary and their ranges:</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="101"/>
        <source>実行</source>
        <translation>Run</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="102"/>
        <source>中止</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="103"/>
        <source>適用</source>
        <translation>Apply</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="106"/>
        <source>実行の状況</source>
        <translation>Fit progress</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="114"/>
        <source>合わせた結果</source>
        <translation>Fit result</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="119"/>
        <source>結果</source>
        <translation>Result</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="120"/>
        <source>寸法</source>
        <translation>Dimension</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="120"/>
        <source>現在</source>
        <translation>Current</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="120"/>
        <source>合わせた値</source>
        <translation>Fitted</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="182"/>
        <source>目標点の %1 行目が数値ではありません</source>
        <translation>Row %1 of the target points is not a number</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="187"/>
        <source>目標点がありません</source>
        <translation>There are no target points</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="191"/>
        <source>変える寸法を選んでください</source>
        <translation>Choose the dimensions to vary</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="208"/>
        <source>実行中...</source>
        <translation>Running...</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="215"/>
        <source>%1最良RMS %2%3  評価 %4回</source>
        <translation>%1Best RMS %2%3  %4 evaluations</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="216"/>
        <source>中止しています... </source>
        <translation>Cancelling... </translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="225"/>
        <source>中止しています...</source>
        <translation>Cancelling...</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="231"/>
        <location filename="../src/assistui/FitPage.cpp" line="252"/>
        <source>中止しました</source>
        <translation>Cancelled</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="240"/>
        <source>RMS %1%5  最大誤差 %2%5  評価 %3回  %4秒</source>
        <translation>RMS %1%5  max. error %2%5  %3 evaluations  %4 s</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="248"/>
        <source>完了</source>
        <translation>Done</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="253"/>
        <source>それまでの最良: </source>
        <translation>Best so far: </translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="257"/>
        <source>結果なし</source>
        <translation>No result</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="289"/>
        <source>下限</source>
        <translation>lower bound</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="289"/>
        <source>上限</source>
        <translation>upper bound</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="291"/>
        <source>範囲の%1で止まりました。範囲を広げるとさらに合う場合があります</source>
        <translation>Stopped at the %1 of its range. A wider range may fit better</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="350"/>
        <source>数値入力画面が開いていないため、適用できません</source>
        <translation>The change-input form is not open, so the result cannot be applied</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="356"/>
        <source>実行した後に変更データが変わりました。もう一度実行してください</source>
        <translation>The changed set has changed since the fit ran. Run it again</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="377"/>
        <source>  (適用しました)</source>
        <translation>  (applied)</translation>
    </message>
    <message>
        <location filename="../src/assistui/FitPage.cpp" line="379"/>
        <source>  (適用できませんでした)</source>
        <translation>  (could not be applied)</translation>
    </message>
</context>
<context>
    <name>potelan::GraphExport</name>
    <message>
        <location filename="../src/views/GraphExport.cpp" line="20"/>
        <source>画像として保存</source>
        <translation>Save as picture</translation>
    </message>
    <message>
        <location filename="../src/views/GraphExport.cpp" line="22"/>
        <source>PNG画像(*.png)|*.png</source>
        <translation>PNG picture (*.png)|*.png</translation>
    </message>
    <message>
        <location filename="../src/views/GraphExport.cpp" line="23"/>
        <source>SVGとして保存</source>
        <translation>Save as SVG</translation>
    </message>
    <message>
        <location filename="../src/views/GraphExport.cpp" line="25"/>
        <source>SVG画像(*.svg)|*.svg</source>
        <translation>SVG picture (*.svg)|*.svg</translation>
    </message>
    <message>
        <location filename="../src/views/GraphExport.cpp" line="26"/>
        <source>グラフを保存できません</source>
        <translation>The graph cannot be saved</translation>
    </message>
    <message>
        <location filename="../src/views/GraphExport.cpp" line="27"/>
        <source>ﾘﾝｸﾚｼｵとアクスル荷重のアクスルストロークに対するグラフ</source>
        <translation>Link ratio and axle load against axle stroke</translation>
    </message>
</context>
<context>
    <name>potelan::GraphPainter</name>
    <message>
        <location filename="../src/views/GraphPainter.cpp" line="20"/>
        <source>基準</source>
        <translation>Base</translation>
    </message>
    <message>
        <location filename="../src/views/GraphPainter.cpp" line="21"/>
        <source>変更</source>
        <translation>Changed</translation>
    </message>
    <message>
        <location filename="../src/views/GraphPainter.cpp" line="22"/>
        <source>荷重</source>
        <translation>Load</translation>
    </message>
    <message>
        <location filename="../src/views/GraphPainter.cpp" line="127"/>
        <source>ﾘﾝｸﾚｼｵ(逆)</source>
        <translation>Inverse link ratio</translation>
    </message>
    <message>
        <location filename="../src/views/GraphPainter.cpp" line="128"/>
        <source>ﾘﾝｸﾚｼｵ</source>
        <translation>Link ratio</translation>
    </message>
    <message>
        <location filename="../src/views/GraphPainter.cpp" line="130"/>
        <source>荷重 kgf</source>
        <translation>Load kgf</translation>
    </message>
    <message>
        <location filename="../src/views/GraphPainter.cpp" line="132"/>
        <source>ｱｸｽﾙｽﾄﾛｰｸ mm</source>
        <translation>Axle stroke mm</translation>
    </message>
</context>
<context>
    <name>potelan::GraphReadOut</name>
    <message>
        <location filename="../src/views/GraphReadOut.cpp" line="23"/>
        <source>基準:</source>
        <translation>Base:</translation>
    </message>
    <message>
        <location filename="../src/views/GraphReadOut.cpp" line="24"/>
        <source>変更:</source>
        <translation>Changed:</translation>
    </message>
    <message>
        <location filename="../src/views/GraphReadOut.cpp" line="25"/>
        <source>ストローク:</source>
        <translation>Stroke:</translation>
    </message>
    <message>
        <location filename="../src/views/GraphReadOut.cpp" line="26"/>
        <source>荷重:</source>
        <translation>Load:</translation>
    </message>
    <message>
        <location filename="../src/views/GraphReadOut.cpp" line="27"/>
        <source>差:</source>
        <translation>Difference:</translation>
    </message>
    <message>
        <location filename="../src/views/GraphReadOut.cpp" line="33"/>
        <source>ストローク内で到達しません</source>
        <translation>not reached within the stroke</translation>
    </message>
</context>
<context>
    <name>potelan::GraphView</name>
    <message>
        <location filename="../src/views/GraphView.cpp" line="29"/>
        <source>詳細表示描画中</source>
        <translation>Drawing the detail display</translation>
    </message>
    <message>
        <location filename="../src/views/GraphView.cpp" line="30"/>
        <source>グラフ表示切り替え</source>
        <translation>Display</translation>
    </message>
    <message>
        <location filename="../src/views/GraphView.cpp" line="31"/>
        <source>詳細表示</source>
        <translation>Detail display</translation>
    </message>
    <message>
        <location filename="../src/views/GraphView.cpp" line="32"/>
        <source>表示ピッチ変更</source>
        <translation>Display pitch</translation>
    </message>
    <message>
        <location filename="../src/views/GraphView.cpp" line="37"/>
        <source>表示項目</source>
        <translation>Items</translation>
    </message>
    <message>
        <location filename="../src/views/GraphView.cpp" line="38"/>
        <source>アクスル荷重表示</source>
        <translation>Axle load</translation>
    </message>
    <message>
        <location filename="../src/views/GraphView.cpp" line="39"/>
        <source>リンクレシオ表示</source>
        <translation>Link ratio</translation>
    </message>
    <message>
        <location filename="../src/views/GraphView.cpp" line="40"/>
        <source>基準側を非表示に</source>
        <translation>Hide the base set</translation>
    </message>
    <message>
        <location filename="../src/views/GraphView.cpp" line="41"/>
        <source>自動スケール</source>
        <translation>Automatic scale</translation>
    </message>
    <message>
        <location filename="../src/views/GraphView.cpp" line="42"/>
        <source>画像として保存(PNG)...</source>
        <translation>Save as picture (PNG)...</translation>
    </message>
    <message>
        <location filename="../src/views/GraphView.cpp" line="43"/>
        <source>SVGとして保存...</source>
        <translation>Save as SVG...</translation>
    </message>
    <message>
        <location filename="../src/views/GraphView.cpp" line="80"/>
        <source>グラフ表示</source>
        <translation>Graph</translation>
    </message>
    <message>
        <location filename="../src/views/GraphView.cpp" line="473"/>
        <source>グラフ表示 ストローク:%1mm  荷重:%2kgf</source>
        <translation>Graph  Stroke: %1 mm  Load: %2 kgf</translation>
    </message>
    <message>
        <location filename="../src/views/GraphView.cpp" line="532"/>
        <source>- - 目標に合わせた結果 (適用前)</source>
        <translation>- - Fit to target result (not applied)</translation>
    </message>
</context>
<context>
    <name>potelan::RadiusEntry</name>
    <message>
        <location filename="../src/views/RadiusEntry.cpp" line="19"/>
        <source>新規サス長入力</source>
        <translation>New shock length</translation>
    </message>
</context>
<context>
    <name>potelan::RealView</name>
    <message>
        <location filename="../src/views/RealView.cpp" line="32"/>
        <source>実働表示</source>
        <translation>Motion</translation>
    </message>
    <message>
        <location filename="../src/views/RealView.cpp" line="33"/>
        <source>荷重表示</source>
        <translation>Loads</translation>
    </message>
    <message>
        <location filename="../src/views/RealView.cpp" line="34"/>
        <source>想定サス半径表示</source>
        <translation>Shock radius</translation>
    </message>
    <message>
        <location filename="../src/views/RealView.cpp" line="37"/>
        <source>半径変更</source>
        <translation>Change radius</translation>
    </message>
    <message>
        <location filename="../src/views/RealView.cpp" line="38"/>
        <source>基準ｻｽの値</source>
        <translation>Base shock</translation>
    </message>
    <message>
        <location filename="../src/views/RealView.cpp" line="39"/>
        <source>変更ｻｽの値</source>
        <translation>Changed shock</translation>
    </message>
    <message>
        <location filename="../src/views/RealView.cpp" line="40"/>
        <source>ｱｸｽﾙｽﾄﾛｰｸ </source>
        <translation>Axle stroke </translation>
    </message>
    <message>
        <location filename="../src/views/RealView.cpp" line="41"/>
        <source>ﾘﾝｸﾚｼｵ </source>
        <translation>Link ratio </translation>
    </message>
    <message>
        <location filename="../src/views/RealView.cpp" line="42"/>
        <source>サス長 </source>
        <translation>Shock length </translation>
    </message>
    <message>
        <location filename="../src/views/RealView.cpp" line="43"/>
        <source>ｻｽｽﾄﾛｰｸ </source>
        <translation>Shock stroke </translation>
    </message>
</context>
<context>
    <name>potelan::SensitivityPage</name>
    <message>
        <location filename="../src/assistui/SensitivityPage.cpp" line="29"/>
        <source>ﾘﾝｸﾚｼｵ 0mm</source>
        <translation>Link ratio at 0 mm</translation>
    </message>
    <message>
        <location filename="../src/assistui/SensitivityPage.cpp" line="31"/>
        <source>ﾘﾝｸﾚｼｵ 中間 %1mm</source>
        <translation>Link ratio mid-stroke %1 mm</translation>
    </message>
    <message>
        <location filename="../src/assistui/SensitivityPage.cpp" line="34"/>
        <source>ﾘﾝｸﾚｼｵ 最大 %1mm</source>
        <translation>Link ratio full stroke %1 mm</translation>
    </message>
    <message>
        <location filename="../src/assistui/SensitivityPage.cpp" line="37"/>
        <source>進行率 %</source>
        <translation>Progression %</translation>
    </message>
    <message>
        <location filename="../src/assistui/SensitivityPage.cpp" line="39"/>
        <source>ｻｽｽﾄﾛｰｸ mm</source>
        <translation>Shock stroke mm</translation>
    </message>
    <message>
        <location filename="../src/assistui/SensitivityPage.cpp" line="51"/>
        <source>ﾘﾝｸﾚｼｵ 0mm</source>
        <comment>column heading</comment>
        <translation>Link ratio
0 mm</translation>
    </message>
    <message>
        <location filename="../src/assistui/SensitivityPage.cpp" line="55"/>
        <location filename="../src/assistui/SensitivityPage.cpp" line="60"/>
        <source>ﾘﾝｸﾚｼｵ %1mm</source>
        <comment>column heading</comment>
        <translation>Link ratio
%1 mm</translation>
    </message>
    <message>
        <location filename="../src/assistui/SensitivityPage.cpp" line="64"/>
        <source>進行率 %</source>
        <comment>column heading</comment>
        <translation>Progression
%</translation>
    </message>
    <message>
        <location filename="../src/assistui/SensitivityPage.cpp" line="68"/>
        <source>ｻｽｽﾄﾛｰｸ mm</source>
        <comment>column heading</comment>
        <translation>Shock stroke
mm</translation>
    </message>
    <message>
        <location filename="../src/assistui/SensitivityPage.cpp" line="72"/>
        <source>+1mm あたり</source>
        <comment>column heading</comment>
        <translation>per +1 mm</translation>
    </message>
    <message>
        <location filename="../src/assistui/SensitivityPage.cpp" line="83"/>
        <source>±%1%2で成立せず</source>
        <translation>does not assemble at ±%1 %2</translation>
    </message>
    <message>
        <location filename="../src/assistui/SensitivityPage.cpp" line="128"/>
        <source>並べる基準:</source>
        <translation>Sort by:</translation>
    </message>
    <message>
        <location filename="../src/assistui/SensitivityPage.cpp" line="134"/>
        <source>感度の説明</source>
        <translation>About the sensitivity</translation>
    </message>
    <message>
        <location filename="../src/assistui/SensitivityPage.cpp" line="140"/>
        <source>感度</source>
        <translation>Sensitivity</translation>
    </message>
    <message>
        <location filename="../src/assistui/SensitivityPage.cpp" line="168"/>
        <source>寸法</source>
        <translation>Dimension</translation>
    </message>
    <message>
        <location filename="../src/assistui/SensitivityPage.cpp" line="175"/>
        <source>変更データがストローク全体で成立しません: </source>
        <translation>The changed set does not assemble over the whole stroke: </translation>
    </message>
    <message>
        <location filename="../src/assistui/SensitivityPage.cpp" line="181"/>
        <source>変更データの寸法 +1%1 あたりの変化 (%2は +1%3)。中央差分 ±%4%1。＋は青、－は赤。</source>
        <translation>Change per +1 %1 of a dimension of the changed set (%2: per +1 %3). Central difference ±%4 %1. + in blue, - in red.</translation>
    </message>
</context>
<context>
    <name>potelan::StrokePlayback</name>
    <message>
        <location filename="../src/views/StrokePlayback.cpp" line="22"/>
        <source>ストローク再生</source>
        <translation>Stroke playback</translation>
    </message>
    <message>
        <location filename="../src/views/StrokePlayback.cpp" line="23"/>
        <source>再生</source>
        <translation>Play</translation>
    </message>
    <message>
        <location filename="../src/views/StrokePlayback.cpp" line="24"/>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>potelan::StrokeSliders</name>
    <message>
        <location filename="../src/views/StrokeSliders.cpp" line="26"/>
        <source>基準</source>
        <translation>Base</translation>
    </message>
    <message>
        <location filename="../src/views/StrokeSliders.cpp" line="27"/>
        <source>変更</source>
        <translation>Changed</translation>
    </message>
</context>
<context>
    <name>potelan::TableView</name>
    <message>
        <location filename="../src/views/TableView.cpp" line="38"/>
        <source>数値表示</source>
        <translation>Numeric Table</translation>
    </message>
    <message>
        <location filename="../src/views/TableView.cpp" line="39"/>
        <source>表示項目を選択</source>
        <translation>Items</translation>
    </message>
    <message>
        <location filename="../src/views/TableView.cpp" line="40"/>
        <source>数値表示を出力</source>
        <translation>Output</translation>
    </message>
    <message>
        <location filename="../src/views/TableView.cpp" line="41"/>
        <source>プリンタへ出力</source>
        <translation>Print</translation>
    </message>
    <message>
        <location filename="../src/views/TableView.cpp" line="42"/>
        <source>PDFに保存</source>
        <translation>Save as PDF</translation>
    </message>
    <message>
        <location filename="../src/views/TableView.cpp" line="43"/>
        <source>印刷プレビュー</source>
        <translation>Print preview</translation>
    </message>
    <message>
        <location filename="../src/views/TableView.cpp" line="44"/>
        <source>CSVﾌｧｲﾙへ保存</source>
        <translation>Save as CSV file</translation>
    </message>
    <message>
        <location filename="../src/views/TableView.cpp" line="45"/>
        <source>保存ﾌｧｲﾙ選択</source>
        <translation>Choose the file to save</translation>
    </message>
    <message>
        <location filename="../src/views/TableView.cpp" line="46"/>
        <source>csvﾌｧｲﾙ(*.csv)|*.csv</source>
        <translation>CSV file (*.csv)|*.csv</translation>
    </message>
    <message>
        <location filename="../src/views/TableView.cpp" line="49"/>
        <source>CSVﾌｧｲﾙに保存できませんでした</source>
        <translation>The CSV file could not be saved</translation>
    </message>
    <message>
        <location filename="../src/views/TableView.cpp" line="50"/>
        <source>pdfﾌｧｲﾙ(*.pdf)|*.pdf</source>
        <translation>PDF file (*.pdf)|*.pdf</translation>
    </message>
    <message>
        <location filename="../src/views/TableView.cpp" line="53"/>
        <source>PDFﾌｧｲﾙに保存できませんでした</source>
        <translation>The PDF file could not be saved</translation>
    </message>
    <message>
        <location filename="../src/views/TableView.cpp" line="55"/>
        <source>プリンタへ出力できませんでした</source>
        <translation>Printing failed</translation>
    </message>
</context>
<context>
    <name>potelan::TargetEditor</name>
    <message>
        <location filename="../src/assistui/TargetEditor.cpp" line="30"/>
        <source>ﾘﾝｸﾚｼｵ</source>
        <translation>Link ratio</translation>
    </message>
    <message>
        <location filename="../src/assistui/TargetEditor.cpp" line="30"/>
        <source>ﾘﾝｸﾚｼｵ(逆数)</source>
        <translation>Inverse link ratio</translation>
    </message>
    <message>
        <location filename="../src/assistui/TargetEditor.cpp" line="30"/>
        <source>ｱｸｽﾙ荷重</source>
        <translation>Axle load</translation>
    </message>
    <message>
        <location filename="../src/assistui/TargetEditor.cpp" line="31"/>
        <source>合わせる値:</source>
        <translation>Quantity to fit:</translation>
    </message>
    <message>
        <location filename="../src/assistui/TargetEditor.cpp" line="37"/>
        <source>目標点</source>
        <translation>Target points</translation>
    </message>
    <message>
        <location filename="../src/assistui/TargetEditor.cpp" line="43"/>
        <source>行追加</source>
        <translation>Add row</translation>
    </message>
    <message>
        <location filename="../src/assistui/TargetEditor.cpp" line="44"/>
        <source>行削除</source>
        <translation>Remove row</translation>
    </message>
    <message>
        <location filename="../src/assistui/TargetEditor.cpp" line="45"/>
        <source>基準から</source>
        <translation>From base</translation>
    </message>
    <message>
        <location filename="../src/assistui/TargetEditor.cpp" line="46"/>
        <source>変更から</source>
        <translation>From changed</translation>
    </message>
    <message>
        <location filename="../src/assistui/TargetEditor.cpp" line="58"/>
        <source>進行率と値の倍率では %、値に足すときは目標値の単位</source>
        <translation>Percent for the progression and for scaling the values; the target&apos;s unit when added to the values</translation>
    </message>
    <message>
        <location filename="../src/assistui/TargetEditor.cpp" line="59"/>
        <source>変化量:</source>
        <translation>Amount:</translation>
    </message>
    <message>
        <location filename="../src/assistui/TargetEditor.cpp" line="61"/>
        <source>進行率 +変化量 %</source>
        <translation>Progression + amount %</translation>
    </message>
    <message>
        <location filename="../src/assistui/TargetEditor.cpp" line="62"/>
        <source>値 ×(1+変化量 %)</source>
        <translation>Value × (1 + amount %)</translation>
    </message>
    <message>
        <location filename="../src/assistui/TargetEditor.cpp" line="97"/>
        <source>ｽﾄﾛｰｸ mm</source>
        <translation>Stroke mm</translation>
    </message>
    <message>
        <location filename="../src/assistui/TargetEditor.cpp" line="97"/>
        <source>目標値</source>
        <translation>Target</translation>
    </message>
    <message>
        <location filename="../src/assistui/TargetEditor.cpp" line="98"/>
        <source>値 +変化量</source>
        <translation>Value + amount</translation>
    </message>
    <message>
        <location filename="../src/assistui/TargetEditor.cpp" line="163"/>
        <source>%1データがストローク全体で成立しないため、目標にできません</source>
        <translation>The %1 set does not assemble over the whole stroke, so it cannot be the target</translation>
    </message>
</context>
<context>
    <name>potelan::assistui</name>
    <message>
        <location filename="../src/assistui/Common.cpp" line="14"/>
        <source>設計支援</source>
        <translation>Design Assistant</translation>
    </message>
    <message>
        <location filename="../src/assistui/Common.cpp" line="15"/>
        <source>基準</source>
        <translation>Base</translation>
    </message>
    <message>
        <location filename="../src/assistui/Common.cpp" line="16"/>
        <source>変更</source>
        <translation>Changed</translation>
    </message>
    <message>
        <location filename="../src/assistui/Common.cpp" line="17"/>
        <source>成立せず</source>
        <translation>does not assemble</translation>
    </message>
    <message>
        <location filename="../src/assistui/Common.cpp" line="18"/>
        <source>―</source>
        <translation>–</translation>
    </message>
    <message>
        <location filename="../src/assistui/Common.cpp" line="22"/>
        <source>ｱｸｽﾙｽﾄﾛｰｸの範囲がありません</source>
        <translation>There is no axle stroke range</translation>
    </message>
</context>
</TS>
