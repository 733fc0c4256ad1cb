-- The demo resort "솔바람 리조트" (fictional): its outlets, their POS
-- terminals and the outlets each terminal sells for, the cashiers and the
-- common codes. Loaded by "scripts/db demo" after the migrations; every
-- insert leaves existing rows alone, so loading twice changes nothing.
--
-- Outlet codes follow the terminal's code table: type 30 food and beverage
-- (the hotel restaurants are 3001-3005 and 3029), 40 leisure, 50 ski (lift
-- 5001, rental 5003, school 5004, keeping 5007, camp 5097, package bus 5098,
-- package 5099), 60 shop.

INSERT INTO upjang (upjang_code, upjang_name, upjang_eng_name, upjang_type, sod_gubun_code, first_form_code,
                    ticket_prt_yn, group_ticket_yn, cancel_yn, cancel_save_yn, close_yn, offline_yn, modify_save_yn,
                    void_yn, return_yn, order_restore_yn, wait_yn, member_img_yn, pre_sale_yn, guest_count_yn,
                    direct_select_yn, card_tid, receipt_remark1, receipt_remark2, keyin_yn, master_key_yn,
                    void_price_change_yn, season_code_yn, business_gubun_yn, special_member_sale_yn)
VALUES
 -- table-service restaurant: opens on the table screen
 ('3101', '솔바람 한식당', 'Solbaram Korean Dining', '30', '10', '2',
  'N', 'N', 'Y', 'Y', 'Y', 'Y', 'Y', 'Y', 'Y', 'Y', 'Y', 'N', 'N', 'Y', 'N', '7001001', '맛있게 드셨습니까?', '다음에 또 오십시오.',
  'Y', 'N', 'N', 'N', 'N', 'Y'),
 ('3102', '별빛 라운지 바', 'Starlight Lounge Bar', '30', '10', '1',
  'N', 'N', 'Y', 'N', 'Y', 'Y', 'N', 'Y', 'Y', 'N', 'Y', 'N', 'N', 'Y', 'N', '7001002', '즐거운 시간 되십시오.', '',
  'Y', 'N', 'N', 'N', 'Y', 'Y'),
 -- hotel restaurant (buffet), menus in groups and sub-groups
 ('3001', '그린테이블 뷔페', 'Green Table Buffet', '30', '10', '1',
  'N', 'N', 'Y', 'Y', 'Y', 'N', 'Y', 'Y', 'Y', 'N', 'Y', 'N', 'N', 'Y', 'N', '7001003', '호텔 투숙객은 객실 후불이 가능합니다.', '',
  'Y', 'Y', 'N', 'N', 'Y', 'Y'),
 ('5001', '리프트 매표소', 'Lift Ticket Office', '50', '20', '1',
  'Y', 'Y', 'Y', 'N', 'Y', 'Y', 'N', 'Y', 'Y', 'N', 'Y', 'Y', 'Y', 'N', 'Y', '7002001', '리프트권은 분실 시 재발행되지 않습니다.', '',
  'Y', 'Y', 'N', 'Y', 'Y', 'Y'),
 ('5003', '스키 렌탈샵', 'Ski Rental', '50', '20', '1',
  'Y', 'N', 'Y', 'N', 'Y', 'Y', 'N', 'Y', 'Y', 'N', 'Y', 'N', 'Y', 'N', 'Y', '7002002', '장비 반납은 17시까지입니다.', '',
  'Y', 'N', 'N', 'Y', 'Y', 'Y'),
 ('5004', '스키 스쿨', 'Ski School', '50', '20', '3',
  'Y', 'N', 'Y', 'N', 'Y', 'N', 'N', 'Y', 'Y', 'N', 'N', 'N', 'Y', 'N', 'Y', '7002003', '강습 10분 전까지 집결해 주십시오.', '',
  'Y', 'N', 'N', 'Y', 'Y', 'Y'),
 ('5007', '스키 보관소', 'Ski Keeping', '50', '20', '1',
  'Y', 'N', 'Y', 'N', 'Y', 'Y', 'N', 'Y', 'Y', 'N', 'N', 'N', 'N', 'N', 'Y', '7002004', '귀중품은 보관하지 않습니다.', '',
  'Y', 'N', 'N', 'Y', 'Y', 'Y'),
 ('5097', '스키 캠프', 'Ski Camp', '50', '20', '1',
  'Y', 'N', 'Y', 'N', 'Y', 'N', 'N', 'Y', 'Y', 'N', 'N', 'N', 'Y', 'N', 'Y', '7002005', '', '',
  'Y', 'N', 'N', 'Y', 'Y', 'Y'),
 ('5098', '셔틀버스', 'Shuttle Bus', '50', '20', '1',
  'N', 'N', 'Y', 'N', 'Y', 'Y', 'N', 'Y', 'Y', 'N', 'N', 'N', 'N', 'N', 'Y', '7002006', '', '',
  'N', 'N', 'N', 'N', 'N', 'Y'),
 ('5099', '스키 패키지', 'Ski Package', '50', '20', '1',
  'Y', 'Y', 'Y', 'N', 'Y', 'N', 'N', 'Y', 'Y', 'N', 'N', 'N', 'Y', 'N', 'Y', '7002007', '패키지 구성품은 따로 환불되지 않습니다.', '',
  'Y', 'N', 'N', 'Y', 'Y', 'Y'),
 ('4101', '솔바람 컨트리클럽', 'Solbaram Country Club', '40', '30', '1',
  'N', 'N', 'Y', 'N', 'Y', 'Y', 'N', 'Y', 'Y', 'N', 'Y', 'Y', 'N', 'N', 'N', '7003001', '그린피는 락카 후불로 정산됩니다.', '',
  'Y', 'N', 'N', 'Y', 'Y', 'Y'),
 ('6101', '리조트 편의점', 'Resort Mart', '60', '40', '1',
  'N', 'N', 'Y', 'N', 'Y', 'Y', 'N', 'Y', 'Y', 'N', 'Y', 'N', 'N', 'N', 'Y', '7004001', '교환·환불은 영수증 지참 시 7일 이내', '',
  'N', 'N', 'N', 'N', 'N', 'Y')
ON CONFLICT DO NOTHING;

-- Every POS of an outlet: its own terminals and the numbers under which
-- other terminals sell for it (below). The day-end of the POS close closes
-- an outlet's day once all of them have closed (a POS left out here would
-- not be waited for): the lift ticket office's POS close alone closes the
-- camp, bus and package days; the lift's own day waits for its second
-- window as well, the rental's for the rental shop and both windows.
INSERT INTO upjang_pos (upjang_code, pos_no, sort_order, pos_name) VALUES
 ('3101', '01', 1, '한식당 카운터'),
 ('3101', '02', 2, '한식당 홀'),
 ('3102', '01', 1, '라운지 바'),
 ('3102', '11', 2, '한식당에서 판매'),
 ('3001', '01', 1, '뷔페 입구'),
 ('3001', '02', 2, '뷔페 홀'),
 ('5001', '01', 1, '매표소 1번'),
 ('5001', '02', 2, '매표소 2번'),
 ('5003', '01', 1, '렌탈샵'),
 ('5003', '11', 2, '매표소에서 판매'),
 ('5003', '12', 3, '매표소 2번에서 판매'),
 ('5004', '01', 1, '스쿨 데스크'),
 ('5004', '11', 2, '매표소에서 판매'),
 ('5007', '01', 1, '보관소'),
 ('5097', '11', 1, '매표소에서 판매'),
 ('5098', '11', 1, '매표소에서 판매'),
 ('5099', '11', 1, '매표소에서 판매'),
 ('4101', '01', 1, '클럽하우스 프런트'),
 ('6101', '01', 1, '편의점 계산대')
ON CONFLICT DO NOTHING;

-- The restaurant's counter also serves drinks from the bar; the lift ticket
-- office sells rental, school, camp, package and bus tickets, its second
-- window rental tickets. Each terminal records what it sells for another
-- outlet under a POS number of its own there (the bills of two terminals
-- would otherwise share their keys).
INSERT INTO pos_sale_upjang (upjang_code, pos_no, sale_upjang_code, sale_pos_no, sort_order) VALUES
 ('3101', '01', '3102', '11', 1),
 ('5001', '01', '5003', '11', 1),
 ('5001', '01', '5004', '11', 2),
 ('5001', '01', '5097', '11', 3),
 ('5001', '01', '5098', '11', 4),
 ('5001', '01', '5099', '11', 5),
 ('5001', '02', '5003', '12', 1)
ON CONFLICT DO NOTHING;

-- A manager and two cashiers.
INSERT INTO cashier (emp_no, emp_name, password, last_login_date, remain_day, admin_yn) VALUES
 ('9001', '최지훈', '9001', to_char(current_date, 'YYYYMMDD'), 90, 'Y'),
 ('1001', '김하늘', '1001', to_char(current_date, 'YYYYMMDD'), 60, 'N'),
 ('1002', '이바다', '1002', to_char(current_date, 'YYYYMMDD'), 60, 'N')
ON CONFLICT DO NOTHING;

-- Common codes: outlet groups, guest types, ticket types (item1: the kind of
-- ticket printed, 1 lift pass ... 6 meal voucher) and kinds (item3: uses of
-- the five usage classes per unit), discount calculation codes, the
-- shuttle bus fares (item3 adult, item4 child) and the card companies.
INSERT INTO common_code (head, code, code_name, item1, item2, item3, item4) VALUES
 ('I0001', '10', '호텔·식음', '', '', '', ''),
 ('I0001', '20', '스키', '', '', '', ''),
 ('I0001', '30', '골프', '', '', '', ''),
 ('I0001', '40', '쇼핑', '', '', '', ''),
 ('Z0006', '001', '일반', '', '', '', ''),
 ('Z0006', '010', '기명 회원', '', '', '', ''),
 ('Z0006', '100', '임직원', '', '', '', ''),
 ('Z0006', '104', '협력사 직원', '', '', '', ''),
 ('Z0006', '105', '상주 직원', '', '', '', ''),
 ('Z0006', '200', '투숙객', '', '', '', ''),
 ('Z0006', '503', '리프트권 소지자', '', '', '', ''),
 ('Z0006', '780', '스키 캠프', '', '', '', ''),
 ('Z0006', '790', '스키 패키지', '', '', '', ''),
 ('I0004', '01', '리프트권', '1', '', '', ''),
 ('I0004', '02', '렌탈권', '2', '', '', ''),
 ('I0004', '03', '기타권', '3', '', '', ''),
 ('I0004', '05', '리스트', '5', '', '', ''),
 ('I0004', '06', '식음권', '6', '', '', ''),
 ('I0005', '00', '이용권', '', '', '10000', ''),
 ('I0005', '01', '1회권', '', '', '01000', ''),
 ('I0005', '22', '주간권', '', '', '00100', ''),
 ('I0005', '23', '야간권', '', '', '00010', ''),
 ('I0005', '30', '시즌권', '', '', '00001', ''),
 ('I0006', '1', '정률 할인', '', '', '', ''),
 ('I0006', '2', '정액 할인', '', '', '', ''),
 ('I0011', 'BUS01', '서울 출발 셔틀', '', '', '15000', '10000'),
 ('I0011', 'BUS02', '원주 출발 셔틀', '', '', '8000', '5000'),
 ('Z0021', '01', '한빛카드', '', '', '', ''),
 ('Z0021', '02', '누리카드', '', '', '', ''),
 ('Z0021', '999', '기타카드', '', '', '', '')
ON CONFLICT DO NOTHING;
-- A demo database made before the ticket types named their kind of ticket.
UPDATE common_code SET item1 = CASE code WHEN '01' THEN '1' WHEN '02' THEN '2' WHEN '03' THEN '3'
                                         WHEN '05' THEN '5' WHEN '06' THEN '6' END
 WHERE head = 'I0004' AND item1 = '' AND code IN ('01', '02', '03', '05', '06');
