#include "perf/charset_tables.h"

#include <array>
#include <cstddef>

namespace {

constexpr std::size_t kGb2312Size = 4862;

// Row A3 repeats the code before each trail byte ending in 8 (A3 A7 twice,
// no A3 A8). Rows B0 to F8 hold trail bytes B0 to CF; rows CD and CE start
// at C0, and row B4 repeats B4 B4 where B4 B3 would be.
constexpr std::array<char, kGb2312Size> BuildGb2312Table() {
  std::array<char, kGb2312Size> out{};
  std::size_t n = 0;
  auto put = [&](int lead, int trail) {
    out[n++] = static_cast<char>(lead);
    out[n++] = static_cast<char>(trail);
  };
  out[n++] = '\x1B';
  out[n++] = '@';
  for (int trail = 0xA1; trail <= 0xFE; ++trail)
    put(0xA3, (trail & 0x0F) == 0x8 ? trail - 1 : trail);
  for (int row = 0xB0; row <= 0xF8; ++row) {
    const bool upperHalfFirst = row == 0xCD || row == 0xCE;
    for (int i = 0; i < 32; ++i) {
      int trail = upperHalfFirst ? 0xB0 + (i + 16) % 32 : 0xB0 + i;
      if (row == 0xB4 && trail == 0xB3) trail = 0xB4;
      put(row, trail);
    }
  }
  if (n != kGb2312Size) throw "GB2312 table size";  // fails constant evaluation
  return out;
}

constexpr std::array<char, kGb2312Size> kGb2312 = BuildGb2312Table();

// The core is compiled with a GBK execution character set, so each
// character below becomes its two-byte GBK code.
constexpr char kGb18030[] =
    "\x1B" "@"
    "伌佁僾凒叆呆哀哎唉啀嗌嗳嘊噫噯埃堨塧壒娭娾嫒嬡嵦愛懓懝戹挨捱"
    "敱敳昹暧曖欸毐溰溾濭爱瑷璦癌皑皚皧瞹矮砨砹硋硙碍磑礙艾蔼薆藹"
    "誒譪譺诶賹躷銰鎄鑀锿閊閡阨阸隘霭靄靉餲馤騃魞鱛鱫鴱侒俺儑匎匼"
    "厂厈唵啽垵埯堓媕安屵岸峎峖广庵按揞晻暗案桉氨洝犴玵痷盒盦盫罯"
    "胺腌腤荌菴萻葊蓭蝻誝諳谙豻鉗銨錌铵闇阥阴陰隂隌雸鞌鞍韽頇顉馣"
    "鮟鵪鶕鹌黬黯仰卬岇昂昻枊盎肮腌軮醠雵佨保儤刨剝剥勹勽包堡堢報"
    "媬嫑孢宝宲寚寳寶忁怉抔报抱掊暴曓曝枹瀑炮煲爆犦珤瓟窇笣緥胞脬"
    "苞苴菢葆蕔薄藵虣蚫袌袍裒裦褒褓褴襃豹賲趵鉋鑤铇闁雹靌鞄飹飽饱"
    "駂骲髱鮑鲍鳵鴇鸔鸨齙龅骯伓俻倍偝偹備僃北卑呗唄埤壀备孛岥庳悖"
    "悲惫愂憊拔排揹昁杮杯柸桮梖棓椑波焙牬犕犤狈狽珼琲痺盃碑碚禆禙"
    "箄簰糒紴絥綼背臂苝菩萆葡蓓藣蛽蜚被褙誖貝贝跋軰輩辈邶郥鄁鉳鋇"
    "錃錍鐾钡陂鞁鞴韛骳鵯鹎佊佖俾偪匕吡咇哔啚嗶坒埤堛壀壁夶奰妣妼"
    "婢嬖屄币幣幤庇庳廦弊弻弼彃彼必怭怶愊愎拂敝斃朇服朼枇枈柀柲梐"
    "楅榌檗檘殍比毕毖毙毞毴沘泌波湢滗滭潷濞煏熚狴獘獙珌璧畀畁畢疕"
    "疪痹痺皀皕睤睥瞥碧禆秕秘稫笓笔筆筚箄箅箆篦篳粃粊紕綼縪繴纰罷"
    "罼聛肥肸肹脾腷臂舭芘苾荜荸菝萆萙萞蓖蓽蔽薜蘖蚍蛯蜌螕螷袐被裨"
    "襞襣觱詖诐豍貏貱費賁贔贲费赑跛跸蹕躃躄辟迊逼避邲鄙鄨鄪鉍鎞鏎"
    "鐴鐾铋閇閉閟闭陂陛陴鞞鞸韠颷飶饆馝馥駜驆骳髀髲魓魮鮅鰏鲾鵖鷝"
    "鷩鸊鼊鼻亳仢伯佰侼僠僰剝剥勃博卜发哱啵嚗坺墢壆孛孹嶏嶓帗帛彂"
    "怕悖愽懪拍拨挀挬搏撥播擘敀暴曓柏柭栢桲檗欂泊波泺泼浡淿渤溊溥"
    "潑潘濹濼瀑煿爆牔犦犻狛猼玻瓝瓟畓番疈癶發白百盋砵碆磻礡礴秡箔"
    "箥簙簸簿糪紴繴缽肑胉脖膊般舶艊艴苩茀荸菔菠菩萡葧蒲蔔蕃祇离移"
    "竾笞筂箈箎篪粎粚糦紕絺翄薄薜蘖蘗蚾袚袯袹襏襮誖謈譒豰趵跑跛踄"
    "踣蹳郣鈸鉑鉢鋍鎛鑮钵钹铂镈雹餑餺饽馎馛馞駁駊駮驋驳髆髉魄鮁鮊"
    "鱍鲅鲌鵓鹁乿伬佁侈侙倁傺勅勑匙卶叱叺吃呎呞哆翅翤翨耛耻肔胝胣"
    "胵腟芪茌茬荎哧啻喫嗤嘨噄坻垑墀奓妛姼媸尺岻弛彖彨彲彳彽徥徲恀"
    "恜恥慗憏懘扡抶拸持搋摛攡敊敕斥杘杝栻欫欼歭歯殦池汦沱治泜淔湁"
    "滯漦灻炽烾熾瓻痓痴痸瘈瘛癡眙眵瞝遲郗鉓鉹銐鍉離雴飭飾饎饬馳驪"
    "蚇蚩蚳蛇螭袲袳裭褫觢訵誃誺謘謻豉貾赤赿趍趩跮踅踟踶迟迡迣遅遟"
    "遫鵣鶒鷘鸱麶黐齒齝齿骴魑鴟鵄莉驰僫儑匎卾厄厑吪呃呝咢咹哑哦啞"
    "噁噩囮圔垩堊堨堮妸妿姶娥娿婀婐屙奀峎摁煾蒽欸誒诶";

static_assert(sizeof(kGb18030) - 1 == 1850, "GB18030 table: 924 two-byte codes after ESC @");

}  // namespace

std::string_view Gb2312Table() { return {kGb2312.data(), kGb2312.size()}; }

std::string_view Gb18030Table() { return {kGb18030, sizeof(kGb18030) - 1}; }
