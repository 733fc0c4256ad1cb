-- Demo: member codes and group (event) contracts. 4103121001 is the ad-hoc
-- group whose name the cashier types; the others are contracts of this week,
-- of a past month and one stopped.

INSERT INTO member_code (member_code, member_code_name, keyin_yn) VALUES
    ('11', '정회원', 'Y'), ('12', '가족회원', 'Y'), ('13', '임원', 'Y'), ('21', '직원', 'N'),
    ('41', '연회', 'Y'), ('42', '여행사', 'Y'), ('43', '버스 단체', 'Y'), ('44', '기타 단체', 'Y'),
    ('51', '쿠폰', 'Y')
ON CONFLICT DO NOTHING;

INSERT INTO group_contract (event_no, event_name, member_no, member_name, remark, member_code, guest_type,
                            contract_from, contract_to, stop_yn)
SELECT c.event_no, c.event_name, c.member_no, c.member_name, c.remark, c.member_code, c.guest_type,
       to_char(current_date + c.from_day, 'YYYYMMDD'), to_char(current_date + c.to_day, 'YYYYMMDD'), c.stop_yn
  FROM (VALUES
    ('4103121001', '임시 단체', '4103121001', '임시 단체', '단체명은 판매 시 입력', '44', '410', -3650, 3650, 'N'),
    ('4124010500', '새봄전자 신년 워크숍', '4124010500', '새봄전자', '석식 포함, 주류 별도', '41', '410', -1, 1, 'N'),
    ('4224011200', '바람길여행 겨울 스키 투어', '4224011200', '바람길여행', '리프트 2일권 포함', '42', '410', -2, 4, 'N'),
    ('4324010800', '푸른산악회 버스 단체', '4324010800', '푸른산악회', '', '43', '410', 0, 0, 'N'),
    ('4123112000', '한빛정밀 송년회', '4123112000', '한빛정밀', '계약 종료', '41', '410', -60, -30, 'N'),
    ('4424010300', '누리학원 겨울 캠프', '4424010300', '누리학원', '인솔자 요청으로 중지', '44', '410', -2, 5, 'Y')
  ) AS c(event_no, event_name, member_no, member_name, remark, member_code, guest_type, from_day, to_day, stop_yn)
ON CONFLICT DO NOTHING;
